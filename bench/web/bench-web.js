// The browser benchmark (make bench-web): page weight with gzip, start-up to the first frame, and
// the program's frame time at n = 3, 6 and 8, wireframe and faces, against raw-webgl.html drawing
// the same primitives with the same states, in the same headless Chromium. Frames are paced by the
// browser's animation frames on both sides, so light scenes meet at the display's interval. The
// program's frames are counted by tests/platform/web/frame_probe.js, which also gives each frame's main-thread
// work; the JavaScript heap a frame allocates comes from Chromium's precise performance.memory.
// The R rows draw at a device pixel ratio of 2, into a 2048 x 1536 buffer on both sides. Prints one
// table; never fails on a figure.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const {serve} = require('../../tests/platform/web/serve.js');
const {launch, close} = require('../../tests/platform/web/browser.js');
const {FRAME_PROBE, BY_TIMER} = require('../../tests/platform/web/page.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../build-web');
const ROUNDS = Number(process.env.ROUNDS || 3);
// DIMENSIONS=6 RATIO2=0: only the rows of n = 6 and none at ratio 2, to look again at one figure.
const DIMENSIONS = (process.env.DIMENSIONS || '3,6,8').split(',').map(Number);
const RATIO2 = process.env.RATIO2 !== '0';
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const fixed = (v, d = 1) => v.toFixed(d);

// What the page loads to run: the build's list of the page's files but the icons and the licences,
// which are fetched only when asked for.
function pageWeight() {
  const files = fs.readFileSync(path.join(WEB_BUILD, 'page-files.txt'), 'utf8').split('\n')
    .filter((f) => f && !f.startsWith('icons/') && !f.endsWith('.txt'));
  let raw = 0, gzipped = 0;
  const rows = files.map((f) => {
    const data = fs.readFileSync(path.join(WEB_BUILD, f));
    const z = zlib.gzipSync(data, {level: 9}).length;
    raw += data.length;
    gzipped += z;
    return `  ${f}: ${data.length} B, ${z} B gzipped`;
  });
  return {raw, gzipped, rows};
}

async function programFrames(browser, url, n, faces, frames, ratio = 1) {
  const page = await browser.newPage();
  if (ratio !== 1) await page.setViewport({width: 1100, height: 900, deviceScaleFactor: ratio});
  await page.evaluateOnNewDocument(FRAME_PROBE);
  await page.goto(url);
  await page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {...BY_TIMER, timeout: 60000});
  const box = await page.evaluate(() => {
    const r = Module.canvas.getBoundingClientRect();
    return [r.left, r.top];
  });
  // As the tests do (tests/platform/web/page.js): the program sees the pointer arrive before the
  // button goes down, and each step is handled before the next.
  const settle = async (n) => {
    const shown = await page.evaluate(() => tessaryFrames.shown);
    await page.waitForFunction((s, k) => tessaryFrames.shown >= s + k, {...BY_TIMER, timeout: 120000}, shown, n);
  };
  const click = async (x, y) => {
    await page.mouse.move(box[0] + x, box[1] + y);
    await settle(2);
    await page.mouse.down();
    await page.mouse.up();
    await settle(3);
  };
  const firstFrame = await page.evaluate(() => tessaryFrames.firstShownAt);
  await click(200, 25);
  await page.keyboard.type(String(n), {delay: 30});
  await settle(3);
  await click(924, 35);
  if (n > 6) await click(452, 399); // OK to the question about large dimensions
  if (faces) await click(410, 28);
  // The JavaScript heap in use at every frame shown (Chromium's precise figure): its growth from
  // one frame to the next is what the frame allocated, unless a collection ran in between.
  const {intervals, work, heap} = await page.evaluate((count) => new Promise((resolve) => {
    const times = [], work = [], heap = [];
    tessaryFrames.onFrame = () => {
      times.push(performance.now());
      work.push(tessaryFrames.lastWork);
      heap.push(performance.memory.usedJSHeapSize);
      if (times.length > count) {
        tessaryFrames.onFrame = null;
        resolve({intervals: times.slice(1).map((t, k) => t - times[k]), work: work.slice(1), heap});
      }
    };
  }), frames);
  await page.close();
  const allocated = heap.slice(1).map((h, k) => h - heap[k]).filter((d) => d >= 0);
  return {firstFrame, frame: median(intervals), work: median(work), allocated};
}

async function referenceFrames(browser, url, n, faces, frames, ratio = 1) {
  const page = await browser.newPage();
  if (ratio !== 1) await page.setViewport({width: 1100, height: 900, deviceScaleFactor: ratio});
  await page.goto(`${url}raw-webgl.html?n=${n}&faces=${faces ? 1 : 0}&frames=${frames}&ratio=${ratio}`);
  await page.waitForFunction(() => window.result, {timeout: 600000, polling: 200});
  const result = await page.evaluate(() => window.result);
  await page.close();
  return {firstFrame: result.firstFrame, frame: median(result.intervals), work: median(result.work)};
}

(async () => {
  const program = await serve(WEB_BUILD, 0);
  const reference = await serve(__dirname, 0);
  const programUrl = `http://127.0.0.1:${program.address().port}/`;
  const referenceUrl = `http://127.0.0.1:${reference.address().port}/`;
  const browser = await launch(['--enable-precise-memory-info']);
  const lines = ['| fig | measured | program | reference | ratio | target |', '|---|---|---|---|---|---|'];
  const starts = [], referenceStarts = [];
  for (const n of DIMENSIONS) {
    const cells = [];
    for (const faces of [false, true]) {
      const frames = n === 8 && faces ? 12 : n === 8 || faces ? 15 : 40;
      const p = [], r = [], pw = [], rw = [], heap = [];
      for (let round = 0; round < ROUNDS; ++round) {
        const a = await programFrames(browser, programUrl, n, faces, frames);
        const b = await referenceFrames(browser, referenceUrl, n, faces, frames);
        p.push(a.frame);
        r.push(b.frame);
        pw.push(a.work);
        heap.push(...a.allocated);
        rw.push(b.work);
        starts.push(a.firstFrame);
        referenceStarts.push(b.firstFrame);
      }
      cells.push([median(p), median(r), median(pw), median(rw), heap.length ? median(heap) / 1024 : NaN]);
    }
    const [wire, faces] = cells;
    const row = (fig, what, k, target, digits) =>
      lines.push(`| ${fig} | ${what} n=${n} wire / faces | ${fixed(wire[k], digits)} / ${fixed(faces[k], digits)} ms | ` +
                 `${fixed(wire[k + 1], digits)} / ${fixed(faces[k + 1], digits)} ms | ${fixed(wire[k] / wire[k + 1], 2)} / ` +
                 `${fixed(faces[k] / faces[k + 1], 2)} | ${target} |`);
    row('W1', 'frame interval', 0, n === 8 ? '(reported)' : '≤ 1.2', 1);
    row('W1', '… main-thread work per frame,', 2, n === 8 ? '≤ 0.6 (faces)' : '–', 2);
    lines.push(`| W1 | … JavaScript heap allocated per frame n=${n} wire / faces | ${fixed(wire[4])} / ` +
               `${fixed(faces[4])} KB | | | ${n === 8 ? '< 10 KB (faces)' : '–'} |`);
  }
  for (const n of RATIO2 ? [3, 6] : []) {
    const cells = [];
    for (const faces of [false, true]) {
      const frames = faces ? 15 : 40, p = [], r = [];
      for (let round = 0; round < ROUNDS; ++round) {
        p.push((await programFrames(browser, programUrl, n, faces, frames, 2)).frame);
        r.push((await referenceFrames(browser, referenceUrl, n, faces, frames, 2)).frame);
      }
      cells.push([median(p), median(r)]);
    }
    const [wire, faces] = cells;
    lines.push(`| R1 | frame interval at ratio 2 (2048 × 1536) n=${n} wire / faces | ${fixed(wire[0])} / ` +
               `${fixed(faces[0])} ms | ${fixed(wire[1])} / ${fixed(faces[1])} ms | ${fixed(wire[0] / wire[1], 2)} / ` +
               `${fixed(faces[0] / faces[1], 2)} | (reported) |`);
  }
  const weight = pageWeight();
  lines.push(`| W2 | page weight, fonts included (gzip -9) | ${fixed(weight.gzipped / 1024)} KiB | | | ≤ 1 MiB |`);
  lines.push(`| W3 | navigation start to first frame shown | ${fixed(median(starts), 0)} ms | ` +
             `${fixed(median(referenceStarts), 0)} ms | ${fixed(median(starts) / median(referenceStarts), 2)} | ≤ 2.0 |`);
  await close(browser);
  program.close();
  reference.close();
  console.log(lines.join('\n'));
  console.log(`page files (${weight.raw} B in all):\n${weight.rows.join('\n')}`);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
