// The wheel, in the program's units of 1/120 notch, positive away from the user (the DOM's deltaY
// grows towards the user). A notch is taken as 100 pixels, 3 lines or 1 page; the core splits a turn
// into notches and passes on the fractions a smooth-scrolling device gives, as on the desktop.
import {EventKind} from './host.js';

const UNITS_PER_DELTA = [1.2, 40, 120]; // DOM_DELTA_PIXEL, DOM_DELTA_LINE, DOM_DELTA_PAGE

export function wheelUnits(deltaY, deltaMode) {
  return Math.round(-deltaY * (UNITS_PER_DELTA[deltaMode] || UNITS_PER_DELTA[0])) || 0; // not -0
}
export function wheelRecord(units, point) { return {kind: EventKind.wheelEvent, wheelUnits: units, x: point[0], y: point[1]}; }

// `point(e)`: the canvas pixel of a DOM event; `gate()`, if given: whether the wheel is the
// window's now, otherwise it is left to the page (focus.js's wheelGate).
export function attach(canvas, point, post, gate) {
  canvas.addEventListener('wheel', (e) => {
    if (gate && !gate()) return;
    e.preventDefault();
    const units = wheelUnits(e.deltaY, e.deltaMode);
    if (units !== 0) post(wheelRecord(units, point(e)));
  }, {passive: false});
}
