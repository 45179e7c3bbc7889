// The program's view functions (app/ViewCommands.h), called by name: the page reads and writes views
// with the same code as the desktop program, so a link's view works with `tessary --view` and a
// `tessary --print-view` answer works in a link.
export class ProgramViews {
  constructor(module) { this.module = module; } // the loader's Module

  // "" when the program can show `text`, otherwise why not; needs no running program.
  check(text) { return this.call('tessary_read_view', text); }
  // The view shown now.
  capture() { return this.call('tessary_capture_view'); }
  // "" when `text` is shown now, otherwise why nothing changed (a message box is open, ...).
  apply(text) { return this.call('tessary_apply_view', text); }

  call(name, ...args) { return this.module.ccall(name, 'string', args.map(() => 'string'), args); }
}
