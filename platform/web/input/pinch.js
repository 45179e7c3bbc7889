// Two fingers on the canvas zoom: the distance between them turns the wheel by 120 units for every
// tenth it grows (nearer) or shrinks (farther), and the first finger's press ends. A pinch lasts
// while two fingers are down; a finger that lifts and lands again starts a new one from where the
// fingers then are. Until every finger has lifted, no finger drives the mouse.
import {EventKind, MouseAction} from './host.js';
import {wheelRecord} from './wheel.js';

const UNITS_PER_LOG = 120 / Math.log(1.1);

export class Pinch {
  constructor(post) {
    this.post = post;
    this.touches = {};   // fingers on the canvas: pointer id -> client point
    this.reference = 0;  // the distance of the last wheel turn, 0 while no pinch lasts
    this.pinched = false; // a pinch was made and not every finger has lifted yet
  }

  fingers() { return Object.keys(this.touches).length; }
  pair() {
    const ids = Object.keys(this.touches);
    return [this.touches[ids[0]], this.touches[ids[1]]];
  }
  spread() {
    const p = this.pair();
    return Math.max(Math.hypot(p[0][0] - p[1][0], p[0][1] - p[1][1]), 1);
  }

  // Each takes a pointer event {id, touch, client: [x, y]} and says whether it belongs to the pinch
  // rather than to the mouse.
  down(e) {
    if (!e.touch) return false;
    this.touches[e.id] = e.client;
    if (this.fingers() === 2 && this.reference === 0) {
      this.post({kind: EventKind.mouseEvent, action: MouseAction.mouseLost});
      this.reference = this.spread();
      this.pinched = true;
    }
    return this.pinched;
  }
  // `canvasPoint(client)`: the canvas pixel of a client point, for the wheel's position.
  move(e, canvasPoint) {
    if (!e.touch || !this.touches[e.id]) return false;
    this.touches[e.id] = e.client;
    if (this.reference !== 0 && this.fingers() >= 2) {
      const spread = this.spread(), units = Math.round(Math.log(spread / this.reference) * UNITS_PER_LOG);
      if (units !== 0) {
        this.reference = spread;
        const p = this.pair();
        this.post(wheelRecord(units, canvasPoint([(p[0][0] + p[1][0]) / 2, (p[0][1] + p[1][1]) / 2])));
      }
    }
    return this.pinched;
  }
  lift(e) {
    if (!e.touch || !this.touches[e.id]) return false;
    delete this.touches[e.id];
    const wasPinch = this.pinched;
    if (this.fingers() < 2) this.reference = 0;
    if (this.fingers() === 0) this.pinched = false;
    return wasPinch;
  }
}
