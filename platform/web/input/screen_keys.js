// An on-screen key (a button with data-vk): down while at least one finger (or pointer) is on it,
// several keys at once. Touching one leaves the keyboard focus where it is, in the window.
import {keyRecord} from './keys.js';

export function attach(key, post, focusWindow) {
  const vk = Number(key.dataset.vk), pointers = {};
  const count = () => Object.keys(pointers).length;
  key.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    focusWindow();
    key.setPointerCapture(e.pointerId);
    pointers[e.pointerId] = true;
    if (count() === 1) {
      key.classList.add('held');
      post(keyRecord(vk, true, false));
    }
  });
  const lift = (e) => {
    if (!pointers[e.pointerId]) return;
    delete pointers[e.pointerId];
    if (count() === 0) {
      key.classList.remove('held');
      post(keyRecord(vk, false, false));
    }
  };
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) key.addEventListener(type, lift);
  key.addEventListener('contextmenu', (e) => { e.preventDefault(); });
}
