// The input's way to the program: dom_input.js turns the canvas's, the soft keyboard's and the
// screen keys' DOM events into records, which wait in one queue until the program's next look at
// it takes them (tessary_web_pump). Nothing waits once the program has stopped.
import {WINDOW} from './page_layout.js';

// The queue, with `stop()` to empty it for good; `onFocus(focused)` is told when the window gets
// or loses the keyboard.
export function wireInput({canvas, keys, softInput}, onFocus) {
  const queue = [];
  let stopped = false;
  window.TessaryInput.attach(canvas, (event) => { if (!stopped) queue.push(event); }, {
    windowSize: WINDOW,
    softInput,
    screenKeys: Array.from(keys.querySelectorAll('button')),
    onFocus,
  });
  return {queue, stop() { stopped = true; queue.length = 0; }};
}
