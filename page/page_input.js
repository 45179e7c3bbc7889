// The input's way to the program: the input modules (platform/web/input/) turn the canvas's, the soft keyboard's and the
// screen keys' DOM events into records, which wait in its queue until the program's next look at
// it takes them (tessary_web_pump). Nothing waits once the program has stopped. CURSORS: the CSS
// cursors the program sets on the canvas, by WebHost.h's numbers.
import {WINDOW} from './window_size.js';
import {attach, CURSORS} from '../platform/web/input/page.js';

export {CURSORS};

// The queue, whose `close()` empties it for good; `onFocus(focused)` is told when the window gets
// or loses the keyboard. `onWheelRefused`, inside another page: told of a wheel left to that page
// before the canvas was clicked.
export function wireInput({canvas, keys, softInput}, onFocus, onWheelRefused) {
  return attach(canvas, {
    windowSize: WINDOW,
    softInput,
    screenKeys: Array.from(keys.querySelectorAll('button')),
    onFocus,
    wheelAfterClick: !!onWheelRefused,
    onWheelRefused,
  });
}
