// The canvas's size on the page and its drawing buffer's size on the screen.
//
// The program's window (WINDOW, its pixels as hypercube/WindowLens.h states them, which the build
// writes as window_size.js) is shown at the largest size of its aspect that fits the viewport
// beside everything else on the page (its padding, the focus ring, the footer), never larger than
// those pixels. The view buttons, and on a touch screen the on-screen keys above them, go below the
// canvas or beside it, whichever leaves the canvas larger. The drawing buffer has as many pixels as
// the canvas covers on the screen, up to twice its size on the page each way (2048 x 1536 at most):
// beyond that a phone's or a software rasteriser's fill cost grows faster than anyone can see the
// difference.
import {WINDOW} from './window_size.js';

const MAX_PIXEL_RATIO = 2;
// On a touch screen the panel below the canvas is a row of keys, their caption and a row of page
// controls; the view buttons, for every pointer, take a row below the canvas or a column beside it.
// With a mouse the buttons beside the canvas are two columns of 120 (index.html).
const PAD = 8, GAP = 8, RING = 8, KEYS_BELOW = 150, KEYS_BESIDE = 180, BUTTONS_BELOW = 40, BUTTONS_BESIDE = 246;

function fit(width, height) { return Math.max(64, Math.min(WINDOW[0], width, height * WINDOW[0] / WINDOW[1])); }

// The canvas's width on the page, whether the keys go beside it, and the buffer's width, for a
// viewport of `width` x `height` CSS pixels with a footer `footerHeight` high; `tight` inside another
// page, where the canvas fills the frame without padding, footer or view buttons.
function canvasLayout({width, height, footerHeight, ratio, coarse, tight}) {
  const margin = tight ? 0 : 2 * PAD + RING;
  const w = width - margin, h = height - margin - (tight ? 0 : GAP + footerHeight);
  const buttonsBelow = tight ? 0 : BUTTONS_BELOW + GAP, buttonsBeside = tight ? 0 : BUTTONS_BESIDE + GAP;
  const under = (coarse ? KEYS_BELOW + GAP : 0) + buttonsBelow, across = coarse ? KEYS_BESIDE + GAP : buttonsBeside;
  const below = fit(w, h - under), side = fit(w - across, h);
  const beside = side > below, size = Math.floor(Math.max(below, side));
  return {size, beside, pixels: Math.round(size * Math.min(ratio || 1, MAX_PIXEL_RATIO))};
}

// Lays the page out whenever the viewport changes (a turned phone, a resized window), the footer's
// height does (once the page has its fonts), or only the canvas's pixels on the screen do (a window
// dragged to another screen, a zoom). The sizes come from a ResizeObserver, which reports them as
// the browser lays the page out before it paints: reading them from the elements instead would make
// the browser lay the page out there and then, each time, and at the start, with the fonts still
// loading and every Chinese character looked up in the system's fallback fonts, that cost as much
// main-thread time as the program's own start.
export function fitCanvas({canvas, stage, keys, footer, tight}) {
  const root = document.documentElement;
  let width = 0, footerHeight = 0;
  const layout = () => {
    if (!width) return; // not laid out yet: the observer calls again when it is
    const {size, beside, pixels} = canvasLayout({
      width, height: window.innerHeight, footerHeight, ratio: window.devicePixelRatio,
      coarse: window.matchMedia('(pointer: coarse)').matches, tight});
    stage.classList.toggle('beside', beside);
    canvas.style.width = size + 'px';
    canvas.style.height = Math.floor(size * WINDOW[1] / WINDOW[0]) + 'px';
    if (canvas.width !== pixels) {
      canvas.width = pixels;
      canvas.height = Math.round(pixels * WINDOW[1] / WINDOW[0]);
    }
    keys.style.width = (beside ? KEYS_BESIDE : size) + 'px';
  };
  // The root's content box is the viewport less its scroll bar, and its height the page's, so a
  // change of the viewport's height alone comes as a resize event.
  window.addEventListener('resize', layout);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', layout);
  const observer = new ResizeObserver((entries) => {
    for (const entry of entries) {
      if (entry.target === root) width = entry.contentRect.width;
      else if (entry.target === footer) footerHeight = entry.borderBoxSize[0].blockSize;
    }
    layout();
  });
  observer.observe(root);
  observer.observe(footer);
  try {
    observer.observe(canvas, {box: 'device-pixel-content-box'});
  } catch (e) {
    observer.observe(canvas);
  }
}
