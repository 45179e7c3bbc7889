// The keyboard: physical keys to virtual keys, the text a key types to UTF-16 units, and which keys
// the browser keeps for itself.
import {EventKind} from './host.js';

const KEY = EventKind.keyEvent, CHAR = EventKind.charEvent;
const VK_TAB = 0x09, VK_F1 = 0x70, VK_F12 = 0x7B;

const NAMED_KEYS = {
  Backspace: 0x08, Tab: 0x09, Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Space: 0x20,
  ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12,
  AltRight: 0x12, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
  Home: 0x24, End: 0x23, Delete: 0x2E,
};
// KeyboardEvent.key names of the same keys, for keyboards that leave `code` empty (Android's).
const KEY_NAMES = {
  Backspace: 0x08, Tab: 0x09, Enter: 0x0D, Escape: 0x1B, ' ': 0x20, Shift: 0x10, Control: 0x11,
  Alt: 0x12, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, Home: 0x24,
  End: 0x23, Delete: 0x2E,
};

// KeyboardEvent.code names the key's place on the keyboard, whatever the layout prints on it,
// which is the rule of the Linux build: the digit row gives '0'..'9' on every layout, the keypad
// gives VK_NUMPAD0..9. A keyboard that gives no code is read by the key's meaning instead. 0 for
// keys the program has no use for.
export function virtualKey(code, key) {
  let m;
  if (code) {
    if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^Digit([0-9])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^Numpad([0-9])$/.exec(code))) return 0x60 + Number(m[1]);
    if ((m = /^F([1-9]|1[0-2])$/.exec(code))) return 0x6F + Number(m[1]);
    return NAMED_KEYS[code] || 0;
  }
  if (typeof key !== 'string') return 0;
  if (/^[0-9A-Za-z]$/.test(key)) return key.toUpperCase().charCodeAt(0);
  return KEY_NAMES[key] || 0;
}

// The text a key press types, as UTF-16 code units (two for a character beyond the BMP). Named
// keys (Backspace, Enter, ...) type nothing here: their characters come from TranslateMessage,
// as on Windows. Shortcuts with Ctrl, Alt or Meta type nothing either.
export function typedUnits(key, ctrl, alt, meta) {
  if (ctrl || alt || meta || typeof key !== 'string' || Array.from(key).length !== 1) return [];
  const units = [];
  for (let i = 0; i < key.length; ++i) units.push(key.charCodeAt(i));
  return units;
}

// The browser keeps its own function keys, its shortcuts, and Tab, which moves the focus on.
export function browserKeeps(vk, e) {
  return (vk >= VK_F1 && vk <= VK_F12) || vk === VK_TAB || !!e.ctrlKey || !!e.metaKey;
}

export function keyRecord(vk, down, repeat) { return {kind: KEY, key: vk, down: down ? 1 : 0, repeat: repeat ? 1 : 0}; }
export function charRecord(unit) { return {kind: CHAR, unit}; }

// A keydown or keyup as records; a soft keyboard's composing key (no virtual key) gives none, its
// text comes as input.
export function keyRecords(e, down) {
  const vk = virtualKey(e.code, e.key);
  if (vk === 0) return [];
  if (!down) return [keyRecord(vk, false, false)];
  return [keyRecord(vk, true, e.repeat)].concat(typedUnits(e.key, e.ctrlKey, e.altKey, e.metaKey).map(charRecord));
}

export function attach(element, post) {
  element.addEventListener('keydown', (e) => {
    const records = keyRecords(e, true);
    if (records.length > 0 && !browserKeeps(records[0].key, e)) e.preventDefault();
    records.forEach(post);
  });
  element.addEventListener('keyup', (e) => { keyRecords(e, false).forEach(post); });
}
