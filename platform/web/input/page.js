// The page's input: binds the canvas and its companions to one queue, which the program drains
// through tessary_web_pump. CURSORS names the canvas's cursors for the platform library.
import {Cursor} from './host.js';
import {InputQueue} from './queue.js';
import {attach as attachPointer} from './pointer.js';
import {attach as attachWheel} from './wheel.js';
import {attach as attachKeys} from './keys.js';
import {attach as attachFocus, wheelGate} from './focus.js';
import {attach as attachSoftKeyboard} from './soft_keyboard.js';
import {attach as attachScreenKey} from './screen_keys.js';

const CSS_CURSORS = {cursorNone: 'none', cursorArrow: 'default', cursorText: 'text'};
// The CSS cursor of each of WebHost.h's cursors, by number.
export const CURSORS = [];
for (const name of Object.keys(Cursor)) CURSORS[Cursor[name]] = CSS_CURSORS[name];

// `options`: `windowSize`, the program's window in its own pixels, which pointer positions are
// given in; `softInput`, the <input> a touch device's own keyboard types into; `screenKeys`,
// on-screen keys (buttons with data-vk); `onFocus(focused)`, told when the window gets or loses the
// keyboard; `wheelAfterClick`, inside another page: the wheel is the window's only once the canvas
// has been clicked, and `onWheelRefused()` is told of a wheel left to the page. Returns the queue
// (queue.js).
export function attach(canvas, options = {}) {
  const input = new InputQueue();
  const post = (record) => { input.push(record); };
  const elements = [canvas].concat(options.softInput ? [options.softInput] : []);
  const tapped = options.softInput ? attachSoftKeyboard(options.softInput, canvas, post) : null;
  const toCanvas = attachPointer(canvas, options.windowSize || [canvas.width, canvas.height], post, tapped);
  const gate = options.wheelAfterClick ? wheelGate(canvas, options.onWheelRefused) : null;
  attachWheel(canvas, (e) => toCanvas([e.clientX, e.clientY]), post, gate && gate.open);
  for (const element of elements) attachKeys(element, post);
  const focusWindow = attachFocus(elements, post, (focused) => {
    if (gate) gate.focus(focused);
    if (options.onFocus) options.onFocus(focused);
  });
  for (const key of options.screenKeys || []) attachScreenKey(key, post, focusWindow);
  return input;
}
