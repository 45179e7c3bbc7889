// The program as the page around it reads it and asks things of it, through the plain functions of
// page/PageState.h. Nothing is asked before the program runs or after it has stopped.
import {NOT_RUNNING, readRefusal} from './page_refusal.js';

// The program takes an int, and a whole number beyond an int's range wraps around in the call (2^32 + 4
// would build the 4-cube). Brought within the range, it stays outside 3 to 8, which the program refuses.
const asInt = (n) => Math.min(2 ** 31 - 1, Math.max(-(2 ** 31), n));

export class PageProgram {
  // `running()`: whether the program runs now.
  constructor(running) { this.running = running; }

  // {dimension, vertices, edges, faces, facesShown, message, messageId, plane, reverse}, or null.
  state() {
    if (!this.running() || !window.Module._tessary_page_state) return null;
    const state = JSON.parse(Module.UTF8ToString(Module._tessary_page_state()));
    return 'dimension' in state ? state : null;
  }

  // What building the n-cube asks first, by the program's own rule: {answer: 'build'}, {answer:
  // 'ask', messageId, text: its question} or {answer: 'refused', messageId, text: its refusal}; null
  // while it does not run.
  dimensionQuestion(n) {
    if (!this.running()) return null;
    return JSON.parse(Module.UTF8ToString(Module._tessary_dimension_question(asInt(n))));
  }

  // The n-cube, axis-aligned, the camera where it is, without a question; null when done, otherwise
  // why not, {kind, reason} (page_refusal.js).
  applyDimension(n) { return this.ask('_tessary_apply_dimension', asInt(n)); }

  showFaces(shown) { return this.ask('_tessary_show_faces', shown ? 1 : 0); }

  ask(name, value) {
    if (!this.running()) return NOT_RUNNING;
    return readRefusal(Module.UTF8ToString(Module[name](value)));
  }
}
