// The canvas's size on the page and its drawing buffer's size on the screen.
//
// The program's window is 1024 x 768 pixels, shown at the largest 4:3 size that fits the viewport
// beside everything else on the page (its padding, the focus ring, the footer), never larger than
// those pixels. On a touch screen the on-screen keys go below the canvas or beside it, whichever
// leaves the canvas larger. The drawing buffer has as many pixels as the canvas covers on the
// screen, up to twice its size on the page each way (2048 x 1536 at most): beyond that a phone's or
// a software rasteriser's fill cost grows faster than anyone can see the difference.
export const WINDOW = [1024, 768];
const MAX_PIXEL_RATIO = 2;
const PAD = 8, GAP = 8, RING = 8, KEYS_BELOW = 56, KEYS_BESIDE = 180;

function fit(width, height) { return Math.max(64, Math.min(WINDOW[0], width, height * 4 / 3)); }

// The canvas's width on the page, whether the keys go beside it, and the buffer's width, for a
// viewport of `width` x `height` CSS pixels with a footer `footerHeight` high.
function canvasLayout({width, height, footerHeight, ratio, coarse}) {
  const w = width - 2 * PAD - RING, h = height - 2 * PAD - RING - GAP - footerHeight;
  let size = fit(w, h), beside = false;
  if (coarse) {
    const below = fit(w, h - KEYS_BELOW - GAP), side = fit(w - KEYS_BESIDE - GAP, h);
    beside = side > below;
    size = Math.max(below, side);
  }
  size = Math.floor(size);
  return {size, beside, pixels: Math.round(size * Math.min(ratio || 1, MAX_PIXEL_RATIO))};
}

// Lays the page out now and whenever the viewport changes (a turned phone, a resized window) or
// only the canvas's pixels on the screen do (a window dragged to another screen, a zoom), and once
// the page has its fonts, which change the footer's height, and its final viewport, which a phone
// may settle late.
export function fitCanvas({canvas, stage, keys, footer}) {
  const layout = () => {
    const {size, beside, pixels} = canvasLayout({
      width: document.documentElement.clientWidth, height: window.innerHeight, footerHeight: footer.offsetHeight,
      ratio: window.devicePixelRatio, coarse: window.matchMedia('(pointer: coarse)').matches});
    stage.classList.toggle('beside', beside);
    canvas.style.width = size + 'px';
    canvas.style.height = Math.floor(size * 3 / 4) + 'px';
    if (canvas.width !== pixels) {
      canvas.width = pixels;
      canvas.height = Math.round(pixels * 3 / 4);
    }
    keys.style.width = (beside ? KEYS_BESIDE : size) + 'px';
  };
  window.addEventListener('resize', layout);
  if (window.ResizeObserver) {
    const onScreen = new ResizeObserver(layout);
    try {
      onScreen.observe(canvas, {box: 'device-pixel-content-box'});
    } catch (e) {
      onScreen.observe(canvas);
    }
  }
  window.addEventListener('load', layout);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', layout);
  document.fonts.ready.then(layout);
  layout();
}
