// The page's input modules without a browser (node --test): DOM events to the records of WebHost.h.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {inputModules} = require('./input_modules.js');

let host, keys, wheel, pointer, input, KIND, ACTION;
test.before(async () => {
  input = await inputModules();
  ({host, keys, wheel, pointer} = input);
  ({EventKind: KIND, MouseAction: ACTION} = host);
});

test('physical keys: the digit row is 0..9 on any layout, the keypad is VK_NUMPAD; Android by meaning', () => {
  assert.deepEqual(['Digit0', 'Digit9', 'Numpad0', 'Numpad9'].map((c) => keys.virtualKey(c)), [0x30, 0x39, 0x60, 0x69]);
  assert.deepEqual(['KeyA', 'KeyZ', 'ShiftRight', 'Escape', 'Backspace', 'F1', 'F12'].map((c) => keys.virtualKey(c)),
                   [0x41, 0x5A, 0x10, 0x1B, 0x08, 0x70, 0x7B]);
  assert.equal(keys.virtualKey('IntlBackslash'), 0, 'a key the program has no use for');
  assert.deepEqual([['', '7'], ['', 'Backspace'], ['', 'a'], ['', 'Shift'], ['', 'Unidentified']].map(
    ([code, key]) => keys.virtualKey(code, key)), [0x37, 0x08, 0x41, 0x10, 0]);
});

test('typed text: one unit per BMP character, two for an astral one, none for named keys or shortcuts', () => {
  assert.deepEqual(keys.typedUnits('维', false, false, false), [0x7EF4]);
  assert.deepEqual(keys.typedUnits('😀', false, false, false), [0xD83D, 0xDE00]);
  assert.deepEqual(keys.typedUnits('Backspace', false, false, false), []);
  assert.deepEqual(keys.typedUnits('c', true, false, false), []);
  assert.deepEqual(keys.keyRecords({code: 'Digit7', key: '7', repeat: true}, true),
                   [{kind: KIND.keyEvent, key: 0x37, down: 1, repeat: 1}, {kind: KIND.charEvent, unit: 0x37}]);
});

test('the browser keeps Tab, which moves the focus on, its function keys and shortcuts; the window the rest', () => {
  const kept = (code, extra = {}) => keys.browserKeeps(keys.virtualKey(code), extra);
  assert.deepEqual([kept('Tab'), kept('F5'), kept('KeyR', {ctrlKey: true}), kept('KeyC', {metaKey: true})],
                   [true, true, true, true]);
  assert.deepEqual([kept('Digit4'), kept('Backspace'), kept('Enter'), kept('Escape'), kept('KeyA', {altKey: true})],
                   [false, false, false, false, false]);
});

test('the soft keyboard: typed text as units, a deletion as Backspace, its Enter as Return', () => {
  const soft = input.soft_keyboard;
  assert.deepEqual(soft.softKeyboardInput(' 42', 'insertText'), {keys: [], units: [0x34, 0x32]});
  assert.deepEqual(soft.softKeyboardInput('', 'deleteContentBackward'), {keys: [0x08], units: []});
  assert.deepEqual(soft.softKeyboardInput(' ', 'insertLineBreak'), {keys: [0x0D], units: []});
});

test('wheel: 120 units a notch in any delta mode, sign flipped, and a touchpad\'s fractions kept', () => {
  assert.deepEqual([[-100, 0], [100, 0], [-3, 1], [6, 1], [-1, 2]].map(([d, mode]) => wheel.wheelUnits(d, mode)),
                   [120, -120, 120, -240, 120]);
  assert.equal(wheel.wheelUnits(-8, 0), 10, 'an 8 px touchpad step is a twelfth of a notch (9.6 units)');
  assert.ok(Object.is(wheel.wheelUnits(0.1, 0), 0), 'no -0');
});

// A Pinch with the records it posts.
function recordedPinch() {
  const posted = [];
  return {pinch: new input.pinch.Pinch((r) => posted.push(r)), posted};
}
const finger = (id, x, y) => ({id, touch: true, client: [x, y]});
const canvasPoint = (client) => client.map((v) => 2 * v);

test('pinch: the spread turns the wheel, 120 units a tenth, at the canvas pixel between the fingers', () => {
  const {pinch, posted} = recordedPinch();
  assert.equal(pinch.down(finger(1, 100, 100)), false, 'one finger is the mouse');
  assert.equal(pinch.down(finger(2, 200, 100)), true, 'two pinch');
  pinch.move(finger(2, 210, 100), canvasPoint); // 110 px: a tenth farther apart, one notch nearer
  pinch.move(finger(1, 110, 100), canvasPoint); // back to 100 px
  assert.deepEqual(posted, [{kind: KIND.mouseEvent, action: ACTION.mouseLost},
                            {kind: KIND.wheelEvent, wheelUnits: 120, x: 310, y: 200},
                            {kind: KIND.wheelEvent, wheelUnits: -120, x: 320, y: 200}]);
});

test('pinch: a finger that lifts and lands elsewhere starts a new pinch, no jump of the zoom', () => {
  const {pinch, posted} = recordedPinch();
  pinch.down(finger(1, 100, 100));
  pinch.down(finger(2, 200, 100));
  pinch.lift(finger(2, 200, 100));
  assert.equal(pinch.move(finger(1, 101, 100), canvasPoint), true, 'the other finger is still no mouse');
  pinch.down(finger(2, 500, 100));
  pinch.move(finger(2, 501, 100), canvasPoint);
  const units = posted.filter((r) => r.kind === KIND.wheelEvent).reduce((sum, r) => sum + r.wheelUnits, 0);
  assert.ok(Math.abs(units) <= 4, `a 1 px move of a 400 px pinch turned the wheel by ${units} units, expected 3`);
  pinch.lift(finger(1, 101, 100));
  pinch.lift(finger(2, 501, 100));
  assert.equal(pinch.down(finger(3, 0, 0)), false, 'once every finger has lifted, a finger is the mouse again');
});

test('pointers: a move with the buttons the browser holds, then the button the event names', () => {
  const at = (type, button, buttons) => pointer.mouseRecords({type, button, buttons, point: [7, 9]})
    .map((r) => [r.action, r.button, r.buttons]);
  const [MOVE, DOWN, UP] = [ACTION.mouseMove, ACTION.mouseDown, ACTION.mouseUp];
  assert.deepEqual(at('pointerdown', 2, 2), [[MOVE, undefined, 2], [DOWN, 1, 2]], 'a right press holds the right bit');
  assert.deepEqual(at('pointermove', -1, 2), [[MOVE, undefined, 2]], 'which a move with the right button keeps');
  assert.deepEqual(at('pointermove', 0, 3), [[MOVE, undefined, 3], [DOWN, 0, 3]], 'a second button comes as a move');
  assert.deepEqual(at('pointerup', 0, 2), [[MOVE, undefined, 2], [UP, 0, 2]]);
  assert.deepEqual(at('pointerdown', 1, 4), [[MOVE, undefined, 0]], 'the middle button is none of the window\'s');
  assert.deepEqual([0, 1, 2, 3].map(pointer.windowButton), [0, -1, 1, -1]);
  const rect = {left: 10, top: 20, width: 512, height: 384};
  assert.deepEqual(pointer.canvasPoint(266, 212, rect, 1024, 768), [512, 384], 'scaled by the CSS size');
  assert.deepEqual(pointer.canvasPoint(0, 10, rect, 1024, 768), [-20, -20], 'signed beyond the canvas');
});

// The queue, taken as the pump takes it, records decoded by the field names of WebHost.h.
function taken(queue, frame, capacity = 16) {
  const fields = host.InputRecord;
  const heap = new Int32Array(capacity * fields.length + 1);
  const n = queue.take(heap, 1, capacity, frame);
  return Array.from({length: n}, (_, i) => Object.fromEntries(
    fields.map((f, k) => [f, heap[1 + i * fields.length + k]]).filter(([, v]) => v !== 0)));
}

test('queue: records laid out by WebHost.h\'s fields; a press after a move to a new place waits a frame', () => {
  let now = 0;
  const queue = new input.queue.InputQueue(() => now);
  const move = (x) => ({kind: KIND.mouseEvent, action: ACTION.mouseMove, x, y: 5});
  const press = (x) => ({kind: KIND.mouseEvent, action: ACTION.mouseDown, button: 1, buttons: 2, x, y: 5});
  queue.push(move(20));
  queue.push(move(20)); // where the pointer is: dropped
  queue.push(press(20));
  assert.deepEqual(taken(queue, 0), [{kind: KIND.mouseEvent, x: 20, y: 5}]);
  assert.deepEqual(taken(queue, 0), [], 'the press waits for a frame with the move');
  assert.deepEqual(taken(queue, 1), [{kind: KIND.mouseEvent, action: ACTION.mouseDown, button: 1, buttons: 2, x: 20,
                                      y: 5}]);
  queue.push({...move(20), buttons: 2}); // the same place with other buttons: queued, no wait
  queue.push(press(20));
  queue.push({kind: KIND.keyEvent, key: 0x41, down: 1});
  assert.equal(taken(queue, 1).length, 3);
  queue.push(move(40));
  queue.push(press(40));
  taken(queue, 1);
  now = 600;
  assert.equal(taken(queue, 1).length, 1, 'a press waits half a second at most without frames');
  queue.close();
  queue.push(move(50));
  assert.equal(queue.pending(), 0, 'nothing is queued once the program has ended');
});
