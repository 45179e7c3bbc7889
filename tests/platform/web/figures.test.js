// "保存 SVG", "保存 PDF" and "保存 3D 模型" in every browser engine the page is checked in: the buttons
// right after "保存图片" in Tab order, the model the desktop's GLB of the same view byte for byte, and the files they save of a turned 4-cube with faces held to the desktop
// program's `tessary --render FILE --view VIEW --width W` of the same view. The numbers' outlines are
// traced from each build's own label raster (Canvas 2D here, FreeType there), so the documents must
// agree exactly but for the paths that hold them, and their pictures (drawn by librsvg) within a few
// levels; the browser draws the desktop's SVG as librsvg does. TESSARY_ENGINES=firefox (a
// comma-separated list) runs some of the engines only.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {EnginePage} = require('./engine_page.js');
const {ENGINES} = require('./engines.js');
const {readPng, compare} = require('./frames.js');
const {FIELD, BUTTON, CHECK_BOX, OK_ALONE, TOLERANCE, ALLOWED_SHARE} = require('./desktop_scenes.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-web-figures-'));
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');
const BOX_OPEN = '请先关闭对话框，再保存矢量图。';

// Every file the page saves, as {name, type, base64} in window.tessarySaved in the order of the
// clicks, instead of a download: the engines' drivers have no common way to a downloads folder.
function catchDownloads() {
  window.tessarySaved = [];
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    if (!this.download) return click.call(this);
    const at = tessarySaved.push(null) - 1, name = this.download;
    fetch(this.href).then((r) => r.blob()).then(async (blob) => {
      const bytes = new Uint8Array(await blob.arrayBuffer());
      let binary = '';
      for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
      tessarySaved[at] = {name, type: blob.type, base64: btoa(binary)};
    });
  };
}

// An SVG document as the browser reads it: the root's size, the view in its metadata, and each
// element below the root, in groups too, as its markup, a path's data apart.
function readSvg(text) {
  const svg = new DOMParser().parseFromString(text, 'image/svg+xml');
  const root = svg.documentElement;
  if (root.localName !== 'svg' || svg.getElementsByTagName('parsererror').length) return {error: text.slice(0, 200)};
  const markup = (e) => new XMLSerializer().serializeToString(e).replace(/ xmlns="[^"]*"/, '');
  // A group is its own markup, then the elements in it.
  const parts = [];
  const visit = (e) => {
    if (e.localName === 'g') {
      parts.push({markup: markup(e.cloneNode(false)), d: null});
      [...e.children].forEach(visit);
      return;
    }
    const d = e.getAttribute('d');
    e.removeAttribute('d');
    parts.push({markup: markup(e), d});
  };
  [...root.children].forEach(visit);
  return {size: ['width', 'height', 'viewBox'].map((a) => root.getAttribute(a)),
          view: root.querySelector('metadata')?.textContent, parts};
}

// The numbers alone of an SVG figure, white on black: of each face its tile's cut-outs and the
// numbers' dark rims, which follow the tile at a lower opacity (a face seen edge on has no rims);
// the edges (the last `edges` paths) left out. A tile's outline is its first contour, kept as a
// single point so that the cut-outs, written as steps from it, stay in place.
function numbersOnly(text, edges) {
  const svg = new DOMParser().parseFromString(text, 'image/svg+xml');
  svg.querySelector('rect').setAttribute('fill', '#000000');
  const paths = [...svg.querySelectorAll('path')];
  let tile = null; // the opacity of the tile just before, if the path before was one
  paths.forEach((path, i) => {
    if (i >= paths.length - edges) return path.remove();
    const opacity = Number(path.getAttribute('fill-opacity') || 1);
    const rim = tile !== null && opacity < tile;
    if (!rim) path.setAttribute('d', path.getAttribute('d').replace(/^M([^l]*)l[^z]*z/, 'M$1z'));
    tile = rim ? null : opacity;
    path.setAttribute('fill', '#ffffff');
    path.removeAttribute('fill-opacity');
  });
  return new XMLSerializer().serializeToString(svg);
}

// An SVG document drawn by the browser into a canvas of its size, as a PNG in base64.
async function drawSvg(text) {
  const image = new Image();
  image.src = 'data:image/svg+xml;base64,' + btoa(unescape(encodeURIComponent(text)));
  await image.decode();
  const canvas = document.createElement('canvas');
  [canvas.width, canvas.height] = [image.naturalWidth, image.naturalHeight];
  canvas.getContext('2d').drawImage(image, 0, 0);
  return canvas.toDataURL('image/png').split(',')[1];
}

// Every pixel within `radius` of one lit in either picture: where either build's numbers are.
function numbersMask(a, b, radius = 2) {
  const lit = (x, y) => [a, b].some((p) => p.rgba[(y * p.width + x) * 4] > 0);
  const mask = new Uint8Array(a.width * a.height);
  for (let y = 0; y < a.height; ++y)
    for (let x = 0; x < a.width; ++x) {
      if (!lit(x, y)) continue;
      for (let v = Math.max(0, y - radius); v <= Math.min(a.height - 1, y + radius); ++v)
        mask.fill(1, v * a.width + Math.max(0, x - radius), v * a.width + Math.min(a.width, x + radius + 1));
    }
  return mask;
}

const program = (...args) => execFileSync(path.join(DESKTOP_BUILD, 'tessary'), args,
                                          {env: {...process.env, SDL_VIDEODRIVER: 'offscreen'}, stdio: 'pipe'});

for (const engine of RUN) {
  describe(`The figure buttons in ${engine}`, () => {
    let tessary, view, width, edges;
    const file = (name) => path.join(OUT, `${engine}-${name}`);
    const clickButton = async (id) => {
      const r = await tessary.evaluate((i) => {
        const b = document.getElementById(i).getBoundingClientRect();
        return {x: b.left + b.width / 2, y: b.top + b.height / 2};
      }, id);
      await tessary.driver.pointerMove(r.x, r.y);
      await tessary.driver.pointerDown();
      await tessary.driver.pointerUp();
    };
    // The next file the page saves after a click on button `id`.
    const save = async (id) => {
      const at = await tessary.evaluate(() => tessarySaved.length);
      await clickButton(id);
      const saved = await tessary.waitFor((i) => tessarySaved[i], 30000, at);
      return {...saved, bytes: Buffer.from(saved.base64, 'base64')};
    };

    before(async () => {
      tessary = await EnginePage.open(engine, WEB_BUILD);
      await tessary.evaluate(catchDownloads);
    });
    after(async () => { if (tessary) await tessary.close(); });

    it('offers "保存 SVG", "保存 PDF" and "保存 3D 模型" right after "保存图片" in Tab order', async () => {
      const reached = [await tessary.evaluate(() => {
        document.getElementById('save-picture').focus();
        return document.activeElement.textContent;
      })];
      for (let i = 0; i < 3; ++i) {
        await tessary.press('Tab');
        reached.push(await tessary.evaluate(() => document.activeElement.textContent));
      }
      await tessary.evaluate(() => Module.canvas.focus()); // a window without the keyboard draws nothing
      assert.deepEqual(reached, ['保存图片', '保存 SVG', '保存 PDF', '保存 3D 模型'],
                       'the buttons Tab reaches from "保存图片"');
    });

    it('saves the SVG of a turned 4-cube with faces at the canvas width, the same document as the desktop\'s ' +
       'but for the numbers\' outlines', async () => {
      await tessary.click(...FIELD);
      for (let i = 0; i < 3; ++i) await tessary.press('Backspace');
      await tessary.type('4');
      await tessary.click(...BUTTON);
      await tessary.click(...CHECK_BOX);
      await tessary.hold(['Digit0', 'Digit3'], 400);
      await tessary.hold(['Digit1', 'Digit2'], 300);
      // WebKitGTK can leave digits held after WebDriver's key-up; the keyboard leaving the window
      // lets go of every key, so that the view stays as it is taken here.
      await tessary.evaluate(() => { Module.canvas.blur(); Module.canvas.focus(); });
      await tessary.settle();
      ({view, width, edges} = await tessary.evaluate(() => ({
        view: Module.UTF8ToString(Module._tessary_capture_view()), width: Module.canvas.width,
        edges: JSON.parse(Module.UTF8ToString(Module._tessary_page_state())).edges})));
      assert.match(view, /^v1\.4f\./);

      const saved = await save('save-svg');
      assert.match(saved.name, /^tessary-\d{8}-\d{6}\.svg$/);
      assert.equal(saved.type, 'image/svg+xml');
      fs.writeFileSync(file('page.svg'), saved.bytes);
      // The view the page drew is the one its file names (the page settles the view through its own
      // text first, which may move an entry by a rounding step of the text): the desktop draws that.
      const drawn = /<metadata>([^<]*)<\/metadata>/.exec(saved.bytes.toString('utf8'))?.[1];
      assert.equal(drawn?.slice(0, 6), view.slice(0, 6), 'the page drew the view shown');
      program('--render', file('desktop.svg'), '--view', drawn, '--width', String(width));
      const page = await tessary.evaluate(readSvg, saved.bytes.toString('utf8'));
      const desktop = await tessary.evaluate(readSvg, fs.readFileSync(file('desktop.svg'), 'utf8'));
      assert.equal(page.error, undefined, 'the page\'s SVG does not parse');
      const height = width * 3 / 4;
      assert.deepEqual(page.size, [`${width}`, `${height}`, `0 0 ${width} ${height}`], 'width, height, viewBox');
      assert.equal(page.view, drawn, 'the view in the metadata');
      assert.equal(page.parts.length, desktop.parts.length, 'elements below the root');
      // The edges are the last paths, drawn last; the faces' paths before them hold the numbers.
      const differing = page.parts.map((p, i) => i).filter((i) => {
        const p = page.parts[i], q = desktop.parts[i];
        return p.markup !== q.markup || (i >= page.parts.length - edges && p.d !== q.d);
      });
      assert.deepEqual(differing.map((i) => [page.parts[i], desktop.parts[i]]).slice(0, 3), [],
                       `${differing.length} of ${page.parts.length} elements differ (markup, or an edge's path); ` +
                       `files in ${OUT}`);
    });

    it('saves an SVG that librsvg draws as it draws the desktop\'s, away from the numbers', async () => {
      const draw = (name) => {
        execFileSync('rsvg-convert', ['-o', file(`${name}.png`), file(`${name}.svg`)]);
        return readPng(file(`${name}.png`));
      };
      for (const name of ['page', 'desktop'])
        fs.writeFileSync(file(`${name}-numbers.svg`), await tessary.evaluate(numbersOnly, fs.readFileSync(
          file(`${name}.svg`), 'utf8'), edges));
      const a = draw('page'), b = draw('desktop');
      assert.deepEqual([a.width, a.height], [b.width, b.height]);
      const whole = {x0: 0, y0: 0, x1: a.width, y1: a.height};
      const all = compare(a, b, whole, [], TOLERANCE);
      const {differing, compared} = compare(a, b, whole, [], TOLERANCE, numbersMask(draw('page-numbers'),
                                                                                     draw('desktop-numbers')));
      const share = (n, of) => `${n} of ${of} (${(100 * n / of).toFixed(2)} %)`;
      assert.ok(compared > a.width * a.height / 2, `only ${compared} pixels lie away from the numbers`);
      assert.ok(differing / compared <= ALLOWED_SHARE,
                `away from the numbers ${share(differing, compared)} pixels differ by more than ${TOLERANCE} ` +
                `levels, at most ${ALLOWED_SHARE * 100} % expected (over the whole picture ` +
                `${share(all.differing, all.compared)}); pictures in ${OUT}`);
    });

    it('draws the desktop\'s SVG in the browser as librsvg draws it', async () => {
      const drawn = await tessary.evaluate(drawSvg, fs.readFileSync(file('desktop.svg'), 'utf8'));
      fs.writeFileSync(file('desktop-browser.png'), Buffer.from(drawn, 'base64'));
      const a = readPng(file('desktop-browser.png')), b = readPng(file('desktop.png'));
      assert.deepEqual([a.width, a.height], [b.width, b.height]);
      // Two rasterisers smooth the shapes' borders each their own way; a fill rule, a gradient or an
      // opacity read otherwise would move far more.
      const {differing, compared} = compare(a, b, {x0: 0, y0: 0, x1: a.width, y1: a.height}, [], 24);
      assert.ok(differing / compared <= 0.01, `${differing} of ${compared} pixels differ by more than 24 levels, ` +
                `at most 1 % expected; pictures in ${OUT}`);
    });

    it('saves a one-page PDF as many points in size as the canvas has pixels', async () => {
      const saved = await save('save-pdf');
      assert.match(saved.name, /^tessary-\d{8}-\d{6}\.pdf$/);
      assert.equal(saved.type, 'application/pdf');
      assert.equal(saved.bytes.toString('latin1', 0, 5), '%PDF-');
      fs.writeFileSync(file('page.pdf'), saved.bytes);
      const info = execFileSync('pdfinfo', [file('page.pdf')]).toString();
      assert.deepEqual([/^Pages:\s*(\d+)/m.exec(info)?.[1], /^Page size:\s*([\d.]+ x [\d.]+) pts/m.exec(info)?.[1]],
                       ['1', `${width} x ${width * 3 / 4}`], info);
    });

    it('saves the GLB of the view, the same bytes as the desktop\'s for the view text it carries', async () => {
      const saved = await save('save-model');
      assert.match(saved.name, /^tessary-\d{8}-\d{6}\.glb$/);
      assert.equal(saved.type, 'model/gltf-binary');
      fs.writeFileSync(file('page.glb'), saved.bytes);
      assert.equal(saved.bytes.toString('latin1', 0, 4), 'glTF');
      const json = JSON.parse(saved.bytes.toString('utf8', 20, 20 + saved.bytes.readUInt32LE(12)));
      const drawn = json.asset.extras.view;
      assert.equal(drawn.slice(0, 6), view.slice(0, 6), 'the page made the model of the view shown');
      program('--render', file('desktop.glb'), '--view', drawn);
      const desktop = fs.readFileSync(file('desktop.glb'));
      assert.ok(saved.bytes.equals(desktop), `the page's GLB (${saved.bytes.length} bytes) is not the desktop's ` +
                `(${desktop.length} bytes); files in ${OUT}`);
    });

    it('says, over the canvas, to close the message box first, with the program\'s reason', async () => {
      await tessary.click(...FIELD);
      await tessary.press('Backspace');
      await tessary.type('9');
      await tessary.click(...BUTTON); // the program's message box refusing 9
      const saved = await tessary.evaluate(() => tessarySaved.length);
      await clickButton('save-svg');
      const notice = await tessary.waitFor(() => {
        const e = document.getElementById('view-notice');
        return e.style.display === 'block' && {line: e.firstChild.textContent, reason: e.querySelector('small')?.textContent};
      }, 10000);
      assert.deepEqual(notice, {line: BOX_OPEN, reason: 'a message box is open'});
      assert.equal(await tessary.evaluate(() => tessarySaved.length), saved, 'files saved while the box was open');
      await tessary.click(...OK_ALONE);
      assert.deepEqual(await tessary.errors(), [], 'errors on the page');
    });
  });
}
