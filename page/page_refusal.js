// Why the page did not do what it was asked, as {kind, reason}: the kind is one of the program's
// (page/Refusal.h, written for the page as refusal_kinds.js when it is built), the reason one line for
// people. The program's commands answer with the line "<kind>: <reason>", which a host reads too.
import {KINDS} from './refusal_kinds.js';

// The page asks nothing of a program that does not run (not yet, or no more).
export const NOT_RUNNING = {kind: KINDS.notStarted, reason: 'the program is not running'};

// A command's answer: null for "" (done), otherwise its line as {kind, reason}.
export function readRefusal(line) {
  if (line === '') return null;
  const at = line.indexOf(': ');
  return at < 0 ? {kind: KINDS.failed, reason: line} : {kind: line.slice(0, at), reason: line.slice(at + 2)};
}

// The refusal as the program words it: readRefusal's line back.
export const worded = ({kind, reason}) => `${kind}: ${reason}`;
