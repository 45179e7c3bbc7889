// What a screen reader hears the program do, read from its state (never guessed from the input):
// a cube built, a message box's question, the faces on or off, a turn starting in a plane and
// stopping. Each change is said once, in a polite live region, in the page's language.
import {texts} from './page_language.js';

const samePlane = (a, b) => String(a) === String(b);

// The sentences for the change from `before` to `now` (both states of PageProgram).
export function changes(before, now) {
  const said = [];
  if (now.dimension !== before.dimension && now.dimension > 0)
    said.push(texts.cube(now.dimension, now.vertices, now.edges, now.faces));
  if (now.message !== null && now.message !== before.message) said.push(texts.messageBox(now.messageId, now.message));
  if (now.facesShown !== before.facesShown) said.push(now.facesShown ? texts.facesShown : texts.edgesOnly);
  if (!samePlane(now.plane, before.plane) || (now.plane && now.reverse !== before.reverse)) {
    said.push(now.plane ? texts.turning(now.plane[0], now.plane[1], now.reverse) : texts.stopped);
  }
  return said;
}

// Reads the program's state every `intervalMs` and says what changed in `region`; `onState(state)`
// is told each state read.
export function announce(region, program, onState, intervalMs = 200) {
  let before = null;
  setInterval(() => {
    const now = program.state();
    if (!now) return;
    onState(now);
    // The program starts without a cube and without a question; a cube built or a box opened
    // before the first read is said too, the faces and the keys are taken as they are.
    const said = changes(before || {...now, dimension: 0, message: null}, now);
    before = now;
    if (said.length > 0) region.textContent = said.join(texts.sentenceBreak);
  }, intervalMs);
}
