// The pure half of the browser's input translation, without a browser: node --test
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const input = require('../../../platform/web/dom_input.js');

test('physical keys: the digit row is 0..9 on any layout, the keypad is VK_NUMPAD', () => {
  assert.deepEqual(['Digit0', 'Digit1', 'Digit9'].map((c) => input.virtualKey(c)), [0x30, 0x31, 0x39]);
  assert.deepEqual(['Numpad0', 'Numpad9'].map((c) => input.virtualKey(c)), [0x60, 0x69]);
  assert.deepEqual(['KeyA', 'KeyZ', 'ShiftRight', 'Escape', 'Backspace', 'F1', 'F12'].map((c) => input.virtualKey(c)),
                   [0x41, 0x5A, 0x10, 0x1B, 0x08, 0x70, 0x7B]);
  assert.equal(input.virtualKey('IntlBackslash'), 0, 'a key the program has no use for');
});

test('typed text: one unit per BMP character, two for an astral one, none for named keys or shortcuts', () => {
  assert.deepEqual(input.typedUnits('7', false, false, false), [0x37]);
  assert.deepEqual(input.typedUnits('维', false, false, false), [0x7EF4]);
  assert.deepEqual(input.typedUnits('😀', false, false, false), [0xD83D, 0xDE00]);
  assert.deepEqual(input.typedUnits('Backspace', false, false, false), []);
  assert.deepEqual(input.typedUnits('c', true, false, false), []);
});

test('wheel: one notch per mouse click in any delta mode, sign flipped, parts of a notch add up', () => {
  const w = new input.WheelNotches();
  assert.equal(w.take(-100, 0), 1, 'pixel mode, away from the user');
  assert.equal(w.take(100, 0), -1, 'pixel mode, towards the user');
  assert.equal(w.take(-3, 1), 1, 'line mode');
  assert.equal(w.take(6, 1), -2, 'two notches at once');
  assert.equal(w.take(-1, 2), 1, 'page mode');
  const total = (delta, times) => {
    const n = new input.WheelNotches();
    let sum = 0;
    for (let i = 0; i < times; ++i) sum += n.take(delta, 0);
    return sum;
  };
  assert.equal(total(48, 6), -2, '6 events of 48 px are 2.88 notches');
  assert.equal(total(48, 7), -3, 'and the seventh completes the third');
  assert.equal(total(150, 4), -6, '4 events of 150 px are 6 notches');
  assert.equal(total(-8, 25), 2, '25 touchpad events of 8 px are 2 notches');
  const back = new input.WheelNotches();
  assert.deepEqual([-60, 60, 60].map((d) => back.take(d, 0)), [0, 0, -1],
                   'turning back forgets the part notch of the other way');
});

test('pinch: one wheel notch per tenth the distance grows or shrinks', () => {
  const p = new input.PinchNotches(100);
  assert.equal(p.take(105), 0, 'a 5 % spread');
  assert.equal(p.take(111), 1, 'past 10 %: one notch nearer');
  assert.equal(p.take(200), 6, '200 / 110 is 1.1 to the 6.3');
  assert.equal(p.take(100), -7, 'back to the start');
});

// A recorded PointerMouse: the mouse events it posts, frame breaks as 'break'.
function recordedMouse() {
  const posted = [];
  const mouse = new input.PointerMouse((e) => posted.push(e === input.FRAME_BREAK ? 'break' : e));
  return {mouse, posted};
}
const finger = (id, x, y, extra = {}) =>
  ({id, touch: true, primary: id === 1, button: -1, buttons: 1, point: [x, y], client: [x / 2, y / 2], ...extra});
const PRESS = {button: 0}, LIFT = {button: 0, buttons: 0};
const [MOUSE, MOVE, DOWN, UP, WHEEL] = [input.EVENT.MOUSE, input.MOUSE.MOVE, input.MOUSE.DOWN, input.MOUSE.UP,
                                        input.EVENT.WHEEL];

test('touch: a press lands where the finger is, after a frame with the move; only the primary finger is the mouse', () => {
  const {mouse, posted} = recordedMouse();
  mouse.down(finger(1, 200, 25, PRESS));
  mouse.move(finger(1, 210, 30), () => [0, 0]);
  mouse.up(finger(1, 210, 30, LIFT));
  mouse.down(finger(1, 210, 30, PRESS));
  assert.deepEqual(posted, [[MOUSE, MOVE, -1, 200, 25], 'break', [MOUSE, DOWN, 0, 200, 25],
                            [MOUSE, MOVE, -1, 210, 30], [MOUSE, UP, 0, 210, 30],
                            [MOUSE, DOWN, 0, 210, 30]], 'no move and no wait where the pointer already is');
});

test('touch: a second finger ends the press and pinches the wheel until both have lifted', () => {
  const {mouse, posted} = recordedMouse();
  mouse.down(finger(1, 100, 100, PRESS));
  posted.length = 0;
  mouse.down(finger(2, 300, 100, PRESS));                  // fingers 100 client px apart
  mouse.move(finger(2, 324, 100), () => [400, 50]); // 112 px: one notch nearer
  mouse.move(finger(1, 90, 100), () => [390, 50]);  // 117 px: not yet another
  mouse.up(finger(1, 90, 100, LIFT));
  mouse.move(finger(2, 500, 300), () => [0, 0]);
  mouse.up(finger(2, 500, 300, LIFT));
  assert.deepEqual(posted, [[MOUSE, UP, 0, 100, 100], [WHEEL, 1, 400, 50, 0]]);
});

test('a lost release is posted: cancelled pointers, and buttons the event no longer holds', () => {
  const {mouse, posted} = recordedMouse();
  const pen = (x, buttons, button = -1) => ({id: 5, primary: true, button, buttons, point: [x, 0], client: [x, 0]});
  mouse.down(pen(10, 1, 0));
  mouse.lost(pen(11, 0));
  mouse.down(pen(10, 1, 0));
  mouse.move(pen(12, 0), () => [0, 0]);
  mouse.down(pen(12, 1, 0));
  mouse.forget(); // the focus went: the platform lets go of the button itself
  mouse.down(pen(12, 1, 0));
  assert.deepEqual(posted, [[MOUSE, MOVE, -1, 10, 0], 'break', [MOUSE, DOWN, 0, 10, 0], [MOUSE, UP, 0, 10, 0],
                            [MOUSE, DOWN, 0, 10, 0], [MOUSE, UP, 0, 12, 0], [MOUSE, DOWN, 0, 12, 0],
                            [MOUSE, DOWN, 0, 12, 0]]);
});

test('keys without a code (Android) are read by their meaning; the soft keyboard types code units', () => {
  assert.deepEqual([['', '7'], ['', 'Backspace'], ['', 'a'], ['', 'Shift'], ['', 'Unidentified']].map(
    ([code, key]) => input.virtualKey(code, key)), [0x37, 0x08, 0x41, 0x10, 0]);
  assert.deepEqual(input.softKeyboardInput(' 42', 'insertText'), {keys: [], units: [0x34, 0x32]});
  assert.deepEqual(input.softKeyboardInput('', 'deleteContentBackward'), {keys: [0x08], units: []});
});

test('buttons: left and right only; points are canvas pixels, signed beyond the canvas', () => {
  assert.deepEqual([0, 1, 2, 3].map(input.windowButton), [0, -1, 1, -1]);
  const rect = {left: 10, top: 20, width: 512, height: 384};
  assert.deepEqual(input.canvasPoint(10, 20, rect, 1024, 768), [0, 0]);
  assert.deepEqual(input.canvasPoint(266, 212, rect, 1024, 768), [512, 384], 'scaled by the CSS size');
  assert.deepEqual(input.canvasPoint(0, 10, rect, 1024, 768), [-20, -20]);
});
