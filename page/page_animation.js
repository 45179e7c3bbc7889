// An animation from the view shown to another, over a given time: the program computes each frame's
// view on the path between the two (page/AnimationCommands.h) and ends exactly on the target; the
// page only tells it how far along the time is, once per frame the browser shows.
import {KINDS} from './refusal_kinds.js';

const REPLACED = {kind: KINDS.replaced, reason: 'another view was asked for before this one arrived'};

export class ViewAnimation {
  // `views`: the program's view functions (page_views.js); `frame(callback)`: calls back at the
  // browser's next frame with its time in milliseconds (requestAnimationFrame).
  constructor(views, frame = (callback) => requestAnimationFrame(callback)) {
    this.views = views;
    this.frame = frame;
    this.running = null; // {finish}: the animation under way
  }

  // Moves to `text` in `ms`; a promise of null on arrival, or of {kind, reason} when the program
  // refused the view or a box opened on the way, or another animation or view replaced this one.
  to(text, ms) {
    this.stop();
    const refused = this.views.startAnimation(text);
    if (refused) return Promise.resolve(refused);
    return new Promise((resolve) => {
      const running = {finish: (outcome) => { this.running = null; resolve(outcome); }};
      this.running = running;
      let start = null;
      const step = (now) => {
        if (this.running !== running) return;
        if (start === null) start = now;
        const t = ms > 0 ? Math.min(1, (now - start) / ms) : 1;
        const stepRefused = this.views.stepAnimation(t);
        if (stepRefused || t >= 1) running.finish(stepRefused);
        else this.frame(step);
      };
      this.frame(step);
    });
  }

  // Ends the animation under way where it is, answering it as replaced.
  stop() {
    if (this.running) this.running.finish(REPLACED);
  }
}
