// The input's way to the program: dom_input.js turns the canvas's, the soft keyboard's and the
// screen keys' DOM events into records, which wait in its queue until the program's next look at
// it takes them (tessary_web_pump). Nothing waits once the program has stopped.
import {WINDOW} from './page_layout.js';

// The queue, whose `close()` empties it for good; `onFocus(focused)` is told when the window gets
// or loses the keyboard.
export function wireInput({canvas, keys, softInput}, onFocus) {
  return window.TessaryInput.attach(canvas, {
    windowSize: WINDOW,
    softInput,
    screenKeys: Array.from(keys.querySelectorAll('button')),
    onFocus,
  });
}
