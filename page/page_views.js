// The program's view functions (page/ViewCommands.h), called by name: the page reads and writes views
// with the same code as the desktop program, so a link's view works with `tessary --view` and a
// `tessary --print-view` answer works in a link.
//
// They are called as exports, not through emscripten's ccall: while the program waits for its next
// frame it is paused (Asyncify), and ccall then hands back a promise of the end of that pause, which
// is the end of the program. The functions themselves never pause, so a direct call returns at once.
import {readRefusal} from './page_refusal.js';

export class ProgramViews {
  constructor(module) { this.module = module; } // the loader's Module

  // The view shown now, settled: the text that opening it gives whoever opens it.
  capture() { return this.call('_tessary_capture_view'); }
  // The text of the view shown now, read without settling it: only to notice a change.
  peek() { return this.call('_tessary_peek_view'); }
  // Shows `text`: null when it is shown now, otherwise why nothing changed, {kind, reason}
  // (page_refusal.js): unreadable (no view), busy (a message box is open) or not started (no screen
  // yet).
  apply(text) { return readRefusal(this.call('_tessary_apply_view', text)); }
  // Starts the path from the view shown to `text`, and puts its point at `t` (0 to 1) on the
  // screen, ending exactly on `text` at 1; null, or why not, as apply() says it.
  startAnimation(text) { return readRefusal(this.call('_tessary_animation_start', text)); }
  stepAnimation(t) { return readRefusal(this.call('_tessary_animation_step', undefined, t)); }
  // Starts the tour written in `text` from the view shown (null, or why not), its length in
  // seconds, and its view at `seconds`, ending exactly on its last view from its length on.
  startTour(text) { return readRefusal(this.call('_tessary_tour_start', text)); }
  tourSeconds() { return this.module._tessary_tour_seconds(); }
  stepTour(seconds) { return readRefusal(this.call('_tessary_tour_step', undefined, seconds)); }

  // Calls `then()` once the program has drawn its next frame and given the thread back, when the
  // page may call it again. Each caller waiting is called, in turn.
  afterFrame(then) {
    const waiting = this.module.onFrameDrawn;
    this.module.onFrameDrawn = () => {
      this.module.onFrameDrawn = null;
      if (waiting) waiting();
      Promise.resolve().then(then);
    };
  }

  // Calls `name` with `text`, if any, copied into the program's memory for the call, and then the
  // numbers `more`.
  call(name, text, ...more) {
    const m = this.module;
    if (text === undefined) return m.UTF8ToString(m[name](...more));
    const size = m.lengthBytesUTF8(text) + 1;
    const argument = m._malloc(size);
    m.stringToUTF8(text, argument, size);
    try {
      return m.UTF8ToString(m[name](argument, ...more));
    } finally {
      m._free(argument);
    }
  }
}
