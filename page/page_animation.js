// An animation from the view shown to another over a given time, or a tour: the program computes
// each frame's view (page/AnimationCommands.h, page/TourCommands.h) and ends exactly on the last
// one; the page only tells it how far along the time is, once per frame the browser shows. One of
// them runs at a time: each new one, or any other view asked for, replaces the one under way.
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
    return this.run(ms, (t) => this.views.stepAnimation(t));
  }

  // Plays the tour written in `text` from the view shown; a promise of null at its end, or of
  // {kind, reason} as to() says, `unreadable` naming the step when the tour cannot be read.
  tour(text) {
    this.stop();
    const refused = this.views.startTour(text);
    if (refused) return Promise.resolve(refused);
    const seconds = this.views.tourSeconds();
    return this.run(seconds * 1000, (t) => this.views.stepTour(t * seconds));
  }

  // Calls `step(t)` once a frame with t from 0 to 1 over `ms`, the last time with 1.
  run(ms, step) {
    return new Promise((resolve) => {
      const running = {finish: (outcome) => { this.running = null; resolve(outcome); }};
      this.running = running;
      let start = null;
      const next = (now) => {
        if (this.running !== running) return;
        if (start === null) start = now;
        const t = ms > 0 ? Math.min(1, (now - start) / ms) : 1;
        const stepRefused = step(t);
        if (stepRefused || t >= 1) running.finish(stepRefused);
        else this.frame(next);
      };
      this.frame(next);
    });
  }

  // Ends the animation under way where it is, answering it as replaced.
  stop() {
    if (this.running) this.running.finish(REPLACED);
  }
}
