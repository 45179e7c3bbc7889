// The page's own state in headless Chromium: the drawing buffer's size, where the footer is, which
// of the lines over the canvas are shown; and the WebGL sink's record of the bound texture, driven
// through its library alone.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {TessaryPage} = require('./page.js');
const {launch, close} = require('./browser.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const WEBGL_SOURCES = path.resolve(__dirname, '../../../platform/webgl');
const heapLayout = require(path.join(WEBGL_SOURCES, 'heap_layout.js'));
const read = (file) => fs.readFileSync(path.join(WEBGL_SOURCES, file), 'utf8');

// The lines over the canvas that are shown: loading or failure, end, lost context, "click".
function shownLines(page) {
  return page.evaluate(() => ['status', 'ended', 'lost', 'unfocused']
    .filter((id) => getComputedStyle(document.getElementById(id)).display !== 'none'));
}

describe('The page around the program', () => {
  let tessary;
  before(async () => { tessary = await TessaryPage.open(WEB_BUILD); });
  after(async () => { if (tessary) await tessary.close(); });

  it('gives the drawing buffer at most twice the canvas pixels each way at ratio 3', async () => {
    await tessary.resize({width: 1090, height: 900, deviceScaleFactor: 3});
    const sizes = await tessary.page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      return {buffer: [canvas.width, canvas.height], page: [canvas.clientWidth, canvas.clientHeight]};
    });
    assert.deepEqual(sizes.buffer, [2 * sizes.page[0], 2 * sizes.page[1]],
                     `buffer for a canvas of ${sizes.page.join(' × ')} on the page`);
  });

  it('keeps the footer inside a short window, below the canvas', async () => {
    // Narrow enough that the footer takes two lines, short enough that the height sets the size.
    await tessary.resize({width: 560, height: 300, deviceScaleFactor: 1});
    const at = await tessary.page.evaluate(() => ({
      footer: document.querySelector('footer').getBoundingClientRect().toJSON(),
      canvas: document.getElementById('canvas').getBoundingClientRect().toJSON(), view: innerHeight}));
    assert.ok(at.footer.bottom <= at.view, `footer's bottom at ${at.footer.bottom} in a viewport ${at.view} high`);
    assert.ok(at.canvas.bottom <= at.footer.top, `canvas to ${at.canvas.bottom}, footer from ${at.footer.top}`);
    assert.ok(at.footer.height > 20, `a footer of two lines, ${at.footer.height} px high`);
    await tessary.resize({width: 1100, height: 900, deviceScaleFactor: 1});
  });

  it('shows the end alone, after the focus goes and after the context is lost', async () => {
    assert.deepEqual(await shownLines(tessary.page), [], 'running, with the focus');
    await tessary.page.keyboard.press('Escape');
    await tessary.page.waitForFunction(() => getComputedStyle(document.getElementById('ended')).display !== 'none');
    assert.deepEqual(await shownLines(tessary.page), ['ended'], 'at the end');
    await tessary.page.evaluate(() => document.getElementById('canvas').blur());
    assert.deepEqual(await shownLines(tessary.page), ['ended'], 'at the end, the focus gone');
    // The page's own listener was added first, so it has run when this one runs.
    await tessary.page.evaluate(() => new Promise((resolve) => {
      const canvas = document.getElementById('canvas');
      canvas.addEventListener('webglcontextlost', resolve, {once: true});
      canvas.getContext('webgl').getExtension('WEBGL_lose_context').loseContext();
    }));
    assert.deepEqual(await shownLines(tessary.page), ['ended'], 'at the end, the context lost');
  });
});

describe('The page in a browser without WebGL', () => {
  it('shows the failure alone, with its reason', async () => {
    const plain = await TessaryPage.open(WEB_BUILD, {args: ['--disable-webgl'], running: false});
    try {
      await plain.page.waitForFunction(() => document.getElementById('status-reason').textContent !== '');
      await plain.page.evaluate(() => document.getElementById('canvas').blur());
      assert.deepEqual(await shownLines(plain.page), ['status']);
    } finally {
      await plain.close();
    }
  });
});

// The sink's libraries in a page of their own, over a heap of their own, as emscripten links them:
// each `$name` a global of that name, each function a global; the heap layout as the build writes it.
const SINK_PAGE = `<canvas id="canvas" width="64" height="48"></canvas><script>
  var Module = {};
  var heap = new ArrayBuffer(1 << 16);
  var HEAP32 = new Int32Array(heap), HEAPU32 = new Uint32Array(heap), HEAPU8 = new Uint8Array(heap),
      HEAPF32 = new Float32Array(heap);
  var LibraryManager = {library: {}};
  function mergeInto(library, entries) {
    for (var key in entries) if (key.indexOf('__') < 0) window[key.replace(/^\\$/, '')] = entries[key];
  }
</script>${[read('library_texture_copies.js'),
    heapLayout.library(heapLayout.layout(read('GlRecords.h')), 'GlRecords.h'),
    read('library_webgl_sink.js')].map((text) => `<script>${text}</script>`).join('')}`;

describe('The WebGL sink', () => {
  let browser, page;
  before(async () => {
    browser = await launch();
    page = await browser.newPage();
    await page.setContent(SINK_PAGE);
  });
  after(async () => { if (browser) await close(browser); });

  it('draws with the texture it was given after another texture is uploaded', async () => {
    // Texture 1 red, texture 2 green; a draw of texture 1 over the whole buffer before and after
    // texture 2's upload, which binds texture 2 on the device.
    const centre = await page.evaluate(() => {
      const {QueuedDraw: Q, DrawState: S, Box: B, GlVertex: V} = tessaryGlLayout;
      const DRAWS = 1024, VERTICES = 2048, TEXELS = 4096;
      const texture = (name, rgba) => {
        HEAPU8.set(rgba, TEXELS);
        tessary_gl_tex_image(name, 1, 1, TEXELS);
        tessary_gl_tex_parameters(name, 0x2600, 0x2600, 0x812F, 0x812F); // nearest, clamped to the edge
      };
      const i32 = (at, v) => { HEAP32[at >> 2] = v; };
      const state = DRAWS + Q.state;
      i32(state + S.primitive, 4); // triangles
      i32(state + S.texture, 1);
      [['x', 0], ['y', 0], ['width', 64], ['height', 48]].forEach(([m, v]) => i32(state + S.viewport + B[m], v));
      i32(DRAWS + Q.first, 0);
      i32(DRAWS + Q.count, 6);
      [[-1, -1], [1, -1], [1, 1], [-1, -1], [1, 1], [-1, 1]].forEach(([x, y], k) => {
        const f = (VERTICES + k * V.size) >> 2;
        HEAPF32.set([x, y, 0, 1], f + (V.x >> 2));
        HEAPF32.set([1, 1, 1, 1], f + (V.r >> 2));
        HEAPF32.set([0.5, 0.5], f + (V.s >> 2));
        HEAPF32.set([0, 1], f + (V.across >> 2));
      });
      const gl = document.getElementById('canvas').getContext('webgl');
      const centre = () => {
        const rgba = new Uint8Array(4);
        gl.readPixels(32, 24, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
        return Array.from(rgba);
      };
      if (!tessary_gl_create()) return 'no WebGL';
      texture(1, [255, 0, 0, 255]);
      tessary_gl_submit(DRAWS, 1, VERTICES, 6);
      const before = centre();
      texture(2, [0, 255, 0, 255]);
      tessary_gl_submit(DRAWS, 1, VERTICES, 6);
      return {before, after: centre()};
    });
    assert.deepEqual(centre, {before: [255, 0, 0, 255], after: [255, 0, 0, 255]}, 'centre pixel, RGBA');
  });
});
