// The one <input> a touch device's own keyboard types into: what is typed there becomes WM_CHAR, its
// deletions Backspace, its Enter Return. It always holds SENTINEL, so that a deletion has something
// to delete. A tap where the program shows its I-beam is a tap on a text field: the device's
// keyboard comes up for it; only within the tap may a page bring that keyboard up.
import {charRecord, keyRecord} from './keys.js';

const SENTINEL = ' ';
const VK_BACK = 0x08, VK_RETURN = 0x0D;

// The keys pressed and the units typed for the input's new `value`.
export function softKeyboardInput(value, inputType) {
  if (/^delete/.test(inputType || '') || value.length < SENTINEL.length) return {keys: [VK_BACK], units: []};
  if (inputType === 'insertLineBreak') return {keys: [VK_RETURN], units: []};
  const added = value.indexOf(SENTINEL) === 0 ? value.slice(SENTINEL.length) : value;
  const units = [];
  for (let i = 0; i < added.length; ++i) units.push(added.charCodeAt(i));
  return {keys: [], units};
}

// The tap handler for the canvas.
export function attach(input, canvas, post) {
  input.value = SENTINEL;
  input.addEventListener('input', (e) => {
    const typed = softKeyboardInput(input.value, e.inputType);
    input.value = SENTINEL;
    for (const vk of typed.keys) {
      post(keyRecord(vk, true, false));
      post(keyRecord(vk, false, false));
    }
    for (const unit of typed.units) post(charRecord(unit));
  });
  return function tapped() {
    if (canvas.style.cursor !== 'text') return;
    input.value = SENTINEL;
    input.focus({preventScroll: true});
  };
}
