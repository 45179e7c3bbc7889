// Pointers (mice, pens, fingers) become the window's one mouse. Each event of the primary pointer is
// reported as the browser gives it: a move to its canvas pixel with the buttons it says are held,
// then the press or release of the button it names. The core drops what changes nothing (a press of
// a button held, a release of one up) and lets go of a button the browser no longer holds.
import {EventKind, MouseAction} from './host.js';
import {Pinch} from './pinch.js';

const MOUSE = EventKind.mouseEvent;
const BUTTON_BIT = [1, 2]; // the window's left and right buttons in PointerEvent.buttons

// DOM button numbers to the window's: 0 left, 1 right; the middle and side buttons are ignored.
export function windowButton(domButton) { return domButton === 0 ? 0 : domButton === 2 ? 1 : -1; }
// PointerEvent.buttons to the record's: bit 0 left, bit 1 right.
export function heldButtons(domButtons) {
  let held = 0;
  for (let b = 0; b < BUTTON_BIT.length; ++b) if (domButtons & BUTTON_BIT[b]) held |= 1 << b;
  return held;
}

// Page coordinates to canvas pixels, signed: a captured drag beyond the canvas goes negative or
// past the size, as a captured drag outside a window does.
export function canvasPoint(clientX, clientY, rect, width, height) {
  return [Math.floor((clientX - rect.left) * width / (rect.width || width)),
          Math.floor((clientY - rect.top) * height / (rect.height || height))];
}

// A pointerdown, pointermove or pointerup, as attach's `pointer` describes it (of which type,
// button, buttons and point are read), as records. A second button pressed or released while another
// is held comes as a move with `button` set.
export function mouseRecords(e) {
  const records = [{kind: MOUSE, action: MouseAction.mouseMove, buttons: heldButtons(e.buttons), x: e.point[0],
                    y: e.point[1]}];
  const b = windowButton(e.button);
  if (b < 0) return records;
  const down = e.type === 'pointerdown' || (e.type === 'pointermove' && (e.buttons & BUTTON_BIT[b]) !== 0);
  records.push({kind: MOUSE, action: down ? MouseAction.mouseDown : MouseAction.mouseUp, button: b,
                buttons: heldButtons(e.buttons), x: e.point[0], y: e.point[1]});
  return records;
}
const LOST = {kind: MOUSE, action: MouseAction.mouseLost};

// `windowSize`: the window's pixels, which the canvas's CSS box shows; `onTap(e)`: a finger's tap
// that was no part of a pinch.
export function attach(canvas, windowSize, post, onTap) {
  const fingers = new Pinch(post);
  const toCanvas = (client) =>
    canvasPoint(client[0], client[1], canvas.getBoundingClientRect(), windowSize[0], windowSize[1]);
  const pointer = (e) => ({type: e.type, id: e.pointerId, touch: e.pointerType === 'touch', button: e.button,
                           buttons: e.buttons, client: [e.clientX, e.clientY], point: toCanvas([e.clientX, e.clientY])});
  const report = (e) => { if (e.isPrimary) mouseRecords(pointer(e)).forEach(post); };
  canvas.addEventListener('pointerdown', (e) => {
    if (document.activeElement !== canvas) canvas.focus({preventScroll: true});
    if (e.pointerType === 'touch' || windowButton(e.button) >= 0) e.preventDefault();
    canvas.setPointerCapture(e.pointerId);
    if (!fingers.down(pointer(e))) report(e);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (!fingers.move(pointer(e), toCanvas)) report(e);
  });
  canvas.addEventListener('pointerup', (e) => {
    if (fingers.lift(pointer(e))) return;
    report(e);
    if (e.pointerType === 'touch' && e.isPrimary && onTap) onTap(e);
  });
  const lost = (e) => { if (!fingers.lift(pointer(e)) && e.isPrimary) post(LOST); };
  canvas.addEventListener('pointercancel', lost);
  canvas.addEventListener('lostpointercapture', lost);
  canvas.addEventListener('contextmenu', (e) => { e.preventDefault(); });
  return toCanvas;
}
