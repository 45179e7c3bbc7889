// The page's answers to the page that embeds it (page/page_host.js, page_protocol.js), its animation
// between views (page_animation.js) and its watch of the view (page_view_watch.js), with stand-ins
// for the program's view functions and the browser's clocks. The fuzz target fuzz_pagemessages holds
// the handler to the protocol's shapes; these cases hold the words and the timing.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {PageHost} from '../../page/page_host.js';
import {ViewAnimation} from '../../page/page_animation.js';
import {watchView} from '../../page/page_view_watch.js';

test('refusals say what is wrong with a message, and a refused view carries the program\'s reason', async () => {
  const posted = [];
  const host = new PageHost({running: () => true, capture: () => 'v1.0w.A',
                             apply: () => ({kind: 'unreadable', reason: 'the view ends too early'})},
                            (m) => posted.push(m));
  for (const data of [{tessary: 2, id: 1, type: 'get-view'}, {tessary: 1, id: NaN, type: 'get-view'},
                      {tessary: 1, id: 3, type: 'go'}, {tessary: 1, id: 4, type: 'set-view'},
                      {tessary: 1, id: 5, type: 'set-view', view: 'x'.repeat(5000)},
                      {tessary: 1, id: 6, type: 'animate-to', view: 'v', ms: Infinity},
                      {tessary: 1, id: 7, type: 'set-faces', faces: 1},
                      {tessary: 1, id: 8, type: 'get-view', href: 'https://example.org/'},
                      {tessary: 1, id: 9, type: 'set-view', view: 'v1.4'}, {other: 1}, 'text'])
    await host.receive(data);
  assert.deepEqual(posted.map((m) => [m.id, m.type === 'refused' ? m.reason : m.type]), [
    [1, 'this page speaks version 1 of the protocol'], [null, 'id must be a finite number'],
    [3, 'unknown type; a request is one of get-view, set-view, set-dimension, set-faces, animate-to'],
    [4, 'set-view needs view'], [5, 'view is 5000 characters long, at most 1024'],
    [6, 'ms must be a number from 0 to 60000'], [7, 'faces must be true or false'],
    [8, 'get-view carries no field href'], [9, 'unreadable: the view ends too early'],
  ]);
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
