// The pure half of the browser's input translation, without a browser: node --test
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const input = require('../../platform/web/dom_input.js');

test('physical keys: the digit row is 0..9 on any layout, the keypad is VK_NUMPAD', () => {
  assert.deepEqual(['Digit0', 'Digit1', 'Digit9'].map(input.virtualKey), [0x30, 0x31, 0x39]);
  assert.deepEqual(['Numpad0', 'Numpad9'].map(input.virtualKey), [0x60, 0x69]);
  assert.deepEqual(['KeyA', 'KeyZ', 'ShiftRight', 'Escape', 'Backspace', 'F1', 'F12'].map(input.virtualKey),
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

test('wheel: one notch per mouse click in any delta mode, sign flipped, small deltas add up', () => {
  const w = new input.WheelNotches();
  assert.equal(w.take(-100, 0), 1, 'pixel mode, away from the user');
  assert.equal(w.take(100, 0), -1, 'pixel mode, towards the user');
  assert.equal(w.take(-3, 1), 1, 'line mode');
  assert.equal(w.take(6, 1), -2, 'two notches at once');
  assert.equal(w.take(-1, 2), 1, 'page mode');
  const pad = new input.WheelNotches();
  const taken = [1, 2, 3, 4, 5].map(() => pad.take(-30, 0));
  assert.deepEqual(taken, [0, 0, 0, 1, 0], 'touchpad deltas of 30 px reach a notch at the fourth');
});

test('buttons: left and right only; points are canvas pixels, signed beyond the canvas', () => {
  assert.deepEqual([0, 1, 2, 3].map(input.windowButton), [0, -1, 1, -1]);
  const rect = {left: 10, top: 20, width: 512, height: 384};
  assert.deepEqual(input.canvasPoint(10, 20, rect, 1024, 768), [0, 0]);
  assert.deepEqual(input.canvasPoint(266, 212, rect, 1024, 768), [512, 384], 'scaled by the CSS size');
  assert.deepEqual(input.canvasPoint(0, 10, rect, 1024, 768), [-20, -20]);
});
