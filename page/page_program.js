// The program as the page around it reads it and asks things of it, through the plain functions of
// page/PageState.h. Nothing is asked before the program runs or after it has stopped.
export class PageProgram {
  // `running()`: whether the program runs now.
  constructor(running) { this.running = running; }

  // {dimension, vertices, edges, faces, facesShown, message, plane, reverse}, or null.
  state() {
    if (!this.running() || !window.Module._tessary_page_state) return null;
    const state = JSON.parse(Module.UTF8ToString(Module._tessary_page_state()));
    return 'dimension' in state ? state : null;
  }

  // What building the n-cube asks first, by the program's own rule: {answer: 'build'}, {answer:
  // 'ask', text: its question} or {answer: 'refused', text: its refusal}; null while it does not run.
  dimensionQuestion(n) {
    if (!this.running()) return null;
    return JSON.parse(Module.UTF8ToString(Module._tessary_dimension_question(n)));
  }

  // The n-cube, axis-aligned, the camera where it is; '' when done, otherwise why not.
  applyDimension(n) { return this.ask('_tessary_apply_dimension', n); }

  showFaces(shown) { return this.ask('_tessary_show_faces', shown ? 1 : 0); }

  ask(name, value) {
    if (!this.running()) return 'not running';
    return Module.UTF8ToString(Module[name](value));
  }
}
