// What the page says over the canvas: loading, a failure with the browser's own words beneath for
// whoever has to find the cause, the end with an offer to start again, a WebGL context the browser
// took away, and a hint to click when the window has lost the keyboard. Every line follows from one
// state, so that no message is left standing over another.
import {texts} from './page_language.js';

export class PageStatus {
  // `onStop`: called once when the program has ended or failed.
  constructor(onStop) {
    this.onStop = onStop;
    this.phase = 'loading'; // then 'running', and at last 'ended' or 'failed'
    this.focused = false;
    this.context = 'restored'; // or 'lost', 'failed'
    this.element = (id) => document.getElementById(id);
    for (const id of ['again', 'lost-again'])
      this.element(id).addEventListener('click', () => location.reload());
    this.show();
  }

  get stopped() { return this.phase === 'ended' || this.phase === 'failed'; }

  running(focused) {
    if (this.stopped) return;
    this.phase = 'running';
    this.focus(focused);
  }

  // The program ended as it ends on the desktop, or (`failure` one of the names of texts.failures) did not.
  stop(failure, reason) {
    if (this.phase === 'failed') return; // the first failure is the cause
    const wasStopped = this.stopped;
    this.phase = failure ? 'failed' : 'ended';
    if (failure) {
      this.element('status-text').textContent = texts.failures[failure];
      this.element('status-reason').textContent = reason || '';
    }
    this.show();
    if (!wasStopped) this.onStop();
  }

  focus(focused) {
    this.focused = focused;
    this.show();
  }

  // 'lost', 'restored' or 'failed': the browser took the WebGL context away (a phone does when the
  // tab goes to the background), gave it back, or could not.
  glContext(state) {
    this.context = state;
    this.element('lost-text').textContent = texts.glContext[state] || '';
    this.show();
  }

  show() {
    const running = this.phase === 'running';
    const lines = {status: this.phase === 'loading' || this.phase === 'failed', ended: this.phase === 'ended',
                   lost: running && this.context !== 'restored', unfocused: running && !this.focused};
    for (const id in lines) this.element(id).style.display = lines[id] ? 'block' : 'none';
    this.element('screen').classList.toggle('focused', this.focused);
  }
}
