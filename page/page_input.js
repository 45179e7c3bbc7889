// The input's way to the program: the input modules (platform/web/input/) turn the canvas's, the soft keyboard's and the
// screen keys' DOM events into records, which wait in its queue until the program's next look at
// it takes them (tessary_web_pump). Nothing waits once the program has stopped.
import {WINDOW} from './page_layout.js';

// The queue, whose `close()` empties it for good; `onFocus(focused)` is told when the window gets
// or loses the keyboard. `onWheelRefused`, inside another page: told of a wheel left to that page
// before the canvas was clicked.
export function wireInput({canvas, keys, softInput}, onFocus, onWheelRefused) {
  return window.TessaryInput.attach(canvas, {
    windowSize: WINDOW,
    softInput,
    screenKeys: Array.from(keys.querySelectorAll('button')),
    onFocus,
    wheelAfterClick: !!onWheelRefused,
    onWheelRefused,
  });
}
