// The page's answers to the page that embeds it (page/page_host.js, page_protocol.js), its animation
// between views (page_animation.js) and its watch of the view (page_view_watch.js), with stand-ins
// for the program's view functions and the browser's clocks. The fuzz target fuzz_pagemessages holds
// the handler to the protocol's shapes; these cases hold the words and the timing.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import {pageModule} from './page_modules.js';

const {PageHost} = await pageModule('page_host.js');
const {ViewAnimation} = await pageModule('page_animation.js');
const {watchView} = await pageModule('page_view_watch.js');
const {buildDimension} = await pageModule('page_controls.js');
const {KINDS} = await pageModule('refusal_kinds.js');

// Each answer as [id, kind, reason], or [id, type] for one that is no refusal.
const answers = (posted) => posted.map((m) => (m.type === 'refused' ? [m.id, m.kind, m.reason] : [m.id, m.type]));

test('refusals say what is wrong with a message, by kind, and a refused view carries the program\'s reason', async () => {
  const posted = [];
  let running = true;
  const host = new PageHost({running: () => running, capture: () => 'v1.0w.A',
                             apply: () => ({kind: 'unreadable', reason: 'the view ends too early'}),
                             setFaces: () => { throw new Error('memory access out of bounds'); }},
                            (m) => posted.push(m));
  for (const data of [{tessary: 2, id: 1, type: 'get-view'}, {tessary: 1, id: NaN, type: 'get-view'},
                      {tessary: 1, id: 3, type: 'go'}, {tessary: 1, id: 4, type: 'set-view'},
                      {tessary: 1, id: 5, type: 'set-view', view: 'x'.repeat(5000)},
                      {tessary: 1, id: 6, type: 'animate-to', view: 'v', ms: Infinity},
                      {tessary: 1, id: 7, type: 'set-faces', faces: 1},
                      {tessary: 1, id: 8, type: 'get-view', href: 'https://example.org/'},
                      {tessary: 1, id: 9, type: 'animate-to', view: 'v', ms: 60001},
                      {tessary: 1, id: 10, type: 'set-view', view: 'v1.4'},
                      {tessary: 1, id: 11, type: 'set-faces', faces: true}, {other: 1}, 'text'])
    await host.receive(data);
  running = false;
  await host.receive({tessary: 1, id: 12, type: 'get-view'});
  assert.deepEqual(answers(posted), [
    [1, 'malformed', 'malformed: this page speaks version 1 of the protocol'],
    [null, 'malformed', 'malformed: id must be a finite number'],
    [3, 'malformed', 'malformed: unknown type; a request is one of get-view, set-view, set-dimension, set-faces, animate-to, play-tour'],
    [4, 'malformed', 'malformed: set-view needs view'],
    [5, 'malformed', 'malformed: view is 5000 characters long, at most 1024'],
    [6, 'malformed', 'malformed: ms must be a finite number'], [7, 'malformed', 'malformed: faces must be true or false'],
    [8, 'malformed', 'malformed: get-view carries no field href'],
    [9, 'out of range', 'out of range: ms must be from 0 to 60000'],
    [10, 'unreadable', 'unreadable: the view ends too early'],
    [11, 'failed', 'failed: memory access out of bounds'],
    [12, 'not started', 'not started: the program is not running'],
  ]);
});

test('a dimension outside 3 to 8 is refused as out of range and the reader hears nothing; 7 asks, and 取消 declines', async () => {
  const posted = [], heard = [];
  // The program's rule and answers, as page/PageState.h gives them.
  const builds = (n) => n >= 3 && n <= 8;
  const program = {
    dimensionQuestion: (n) => (!builds(n) ? {answer: 'refused', messageId: 'range', text: '范围'}
                               : n > 6 ? {answer: 'ask', messageId: 'slow', text: '慢'} : {answer: 'build'}),
    applyDimension: (n) => (builds(n) ? (heard.push(['built', n]), null)
                                      : {kind: 'out of range', reason: 'the dimension must be 3 to 8'}),
  };
  const dialog = {ask: async () => (heard.push(['dialog']), false)};
  const host = new PageHost({running: () => true, setDimension: (n) => buildDimension(n, program, dialog,
                                                                                      () => heard.push(['question']))},
                            (m) => posted.push(m));
  let id = 0;
  for (const dimension of [1000000000, 0, 2, 9, -4, 7, 5])
    await host.receive({tessary: 1, type: 'set-dimension', dimension, id: ++id});
  const outOfRange = [1, 2, 3, 4, 5].map((k) => [k, 'out of range', 'out of range: the dimension must be 3 to 8']);
  assert.deepEqual(answers(posted), [...outOfRange, [6, 'declined', 'declined: the reader chose 取消'], [7, 'done']]);
  assert.deepEqual(heard, [['question'], ['dialog'], ['built', 5]], 'only 7 was put to the reader');
});

test('docs/embedding.md says when each kind of refusal comes', () => {
  const doc = fs.readFileSync(new URL('../../docs/embedding.md', import.meta.url), 'utf8');
  assert.deepEqual(Object.values(KINDS).filter((kind) => !doc.includes(`| \`${kind}\` |`)), [], 'kinds without a row');
});

// Views that record the animation's steps; `frames` are the times the browser's frames come at.
function animated(frames, refuseAt = null) {
  const steps = [];
  const views = {startAnimation: (text) => (text === 'bad' ? {kind: 'unreadable', reason: 'no'} : null),
                 stepAnimation: (t) => (steps.push(t), t === refuseAt ? {kind: 'busy', reason: 'box'} : null)};
  const queue = [];
  const animation = new ViewAnimation(views, (callback) => queue.push(callback));
  const run = () => {
    for (const now of frames) if (queue.length) queue.shift()(now);
  };
  return {animation, steps, run};
}

test('an animation steps with the time of each frame, ends at 1, and is refused or replaced with a reason', async () => {
  const a = animated([1000, 1016, 1516, 2016, 2100]);
  const arrived = a.animation.to('v1.4f.A', 1000);
  a.run();
  assert.equal(await arrived, null);
  assert.deepEqual(a.steps, [0, 0.016, 0.516, 1], 'the steps, from the first frame');

  const b = animated([0, 10, 20], 0.01);
  const busy = b.animation.to('v1.4f.A', 1000);
  b.run();
  assert.deepEqual([await busy, b.steps], [{kind: 'busy', reason: 'box'}, [0, 0.01]], 'stops where it was refused');
  assert.deepEqual(await b.animation.to('bad', 10), {kind: 'unreadable', reason: 'no'});

  const c = animated([0, 0]); // the first frame is the replaced one's
  const first = c.animation.to('v1.4f.A', 1000);
  const second = c.animation.to('v1.5f.A', 0);
  c.run();
  assert.equal((await first).kind, 'replaced');
  assert.deepEqual([await second, c.steps], [null, [1]], 'no time at all: straight to the end');
});

test('a tour steps with its seconds, ends at its length, and another request replaces it', async () => {
  const steps = [];
  const views = {startTour: (text) => (text === 'spin' ? {kind: 'unreadable', reason: "step 1 'spin': no step"} : null),
                 tourSeconds: () => 2, stepTour: (s) => (steps.push(s), null),
                 startAnimation: () => null, stepAnimation: () => null};
  const queue = [];
  const animation = new ViewAnimation(views, (callback) => queue.push(callback));
  const played = animation.tour('turn 0,3 by 90 in 2s');
  for (const now of [500, 1500, 2600]) queue.shift()(now);
  assert.equal(await played, null);
  assert.deepEqual(steps, [0, 1, 2], 'seconds from the first frame, the last one at the length');
  assert.deepEqual(await animation.tour('spin'), {kind: 'unreadable', reason: "step 1 'spin': no step"});

  const replaced = animation.tour('hold 2s');
  queue.shift()(0);
  const next = animation.to('v1.4f.A', 0);
  assert.equal((await replaced).kind, 'replaced', 'an animation asked for during the tour replaces it');
  while (queue.length) queue.shift()(10);
  assert.equal(await next, null);
});

test('the view is told once it has changed and come to rest, once, and not at start', () => {
  // Read as watching starts, then at each tick: a change before the first tick is a change too.
  const read = ['a', 'b', 'b', 'b', 'c', 'd', 'd', 'd', 'e', 'e'];
  let at = 0, tick = null;
  const views = {peek: () => read[Math.min(at, read.length - 1)], capture: () => `settled ${read[at]}`};
  const told = [];
  watchView(views, () => true, (text) => told.push([at, text]), (f) => { tick = f; });
  for (at = 1; at < read.length; ++at) tick();
  assert.deepEqual(told, [[2, 'settled b'], [6, 'settled d'], [9, 'settled e']]);
});
