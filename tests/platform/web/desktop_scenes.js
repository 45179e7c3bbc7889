// What the browser tests compare the page's frames with: the desktop build's frames of the same
// scenes (written by its own viewer tests), where the panel's controls are, where the program writes
// text (masked, since browsers and FreeType rasterise glyphs differently), and the measures taken of
// a frame.
'use strict';
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const path = require('node:path');
const {readPng, writePng, pixel, compare, inkMask} = require('./frames.js');

// Control centres of the panel layout, and the answers of the message box.
const FIELD = [200, 25], BUTTON = [924, 35], CHECK_BOX = [410, 28];
const OK_ALONE = [512, 399], CANCEL = [572, 399];
const WHOLE = {x0: 0, y0: 0, x1: 1024, y1: 768};
const SCENE = {x0: 0, y0: 80, x1: 1024, y1: 690};
// Where the program writes text: frame counter, prompt, field, check box caption, button caption,
// help lines, the message and the captions of the message box's buttons.
const TEXT = [
  {x0: 0, y0: 0, x1: 80, y1: 16}, {x0: 15, y0: 12, x1: 158, y1: 42}, {x0: 162, y0: 17, x1: 258, y1: 34},
  {x0: 420, y0: 12, x1: 500, y1: 44}, {x0: 880, y0: 24, x1: 970, y1: 47}, {x0: 0, y0: 700, x1: 1024, y1: 768},
  {x0: 0, y0: 280, x1: 1024, y1: 312}, {x0: 420, y0: 386, x1: 604, y1: 412},
];
// Per-channel tolerance, and the share of compared pixels allowed past it: the ends and joins of
// wide lines and the filtered edges of the face labels fall a pixel differently.
const TOLERANCE = 3, ALLOWED_SHARE = 0.01;

// The desktop build's frames by scene name, written into `out`.
function desktopFrames(desktopBuild, out) {
  execFileSync(path.join(desktopBuild, 'test_hypercube'),
               ['--gtest_filter=ViewerTest.Starts*:ViewerTest.TheThreeCube*:ViewerTest.FacesMode*:ViewerTest.NineAsks*'],
               {env: {...process.env, TESSARY_SAVE_FRAMES: out, SDL_VIDEODRIVER: 'offscreen'}, stdio: 'ignore'});
  const desktop = {};
  for (const name of ['start-screen', 'three-cube', 'three-cube-faces', 'message-box-nine'])
    desktop[name] = readPng(path.join(out, `${name}.png`));
  return desktop;
}

// Of the 3-D area, in the frame's own pixels, which a high-DPI screen makes finer than the window's.
function litExtent(frame) {
  const scale = frame.width / 1024;
  let minX = frame.width, maxX = -1, minY = frame.height, maxY = -1;
  for (let y = Math.round(100 * scale); y < Math.round(680 * scale); ++y)
    for (let x = 0; x < frame.width; ++x)
      if (pixel(frame, x, y)[0] > 128) {
        minX = Math.min(minX, x); maxX = Math.max(maxX, x);
        minY = Math.min(minY, y); maxY = Math.max(maxY, y);
      }
  return {minX, maxX, minY, maxY};
}

function yellowPixels(frame) {
  let n = 0;
  for (let y = 250; y < 380; ++y)
    for (let x = 0; x < 1024; ++x) {
      const [r, g, b] = pixel(frame, x, y);
      n += r > 150 && g > 150 && b < 80;
    }
  return n;
}

// The web frame of scene `name` like the desktop's, outside the text; kept in `out` as
// `${prefix}-${name}.png`. `printedText`: the scene carries text on its faces, which is masked where
// either frame has ink.
function expectLike(desktop, out, prefix, name, web, area = WHOLE, printedText = false) {
  writePng(path.join(out, `${prefix}-${name}.png`), web);
  let ink;
  if (printedText) {
    const a = inkMask(web), b = inkMask(desktop[name]);
    ink = a.map((v, i) => v | b[i]);
  }
  const {differing, compared} = compare(web, desktop[name], area, TEXT, TOLERANCE, ink);
  const share = differing / compared;
  assert.ok(share <= ALLOWED_SHARE,
            `${name}: ${differing} of ${compared} compared pixels differ by more than ${TOLERANCE} levels ` +
            `(${(share * 100).toFixed(2)} %, at most ${ALLOWED_SHARE * 100} % expected); frames in ${out}`);
}

module.exports = {FIELD, BUTTON, CHECK_BOX, OK_ALONE, CANCEL, WHOLE, SCENE, TEXT, TOLERANCE, ALLOWED_SHARE,
                  desktopFrames, litExtent, yellowPixels, expectLike};
