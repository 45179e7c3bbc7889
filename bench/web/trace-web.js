// Where the browser build's time goes, from a Chromium trace (puppeteer's page.tracing): for the
// start, navigation to the first frame shown; for a scene, a few frames of it. Prints each thread's
// busy time, the events that take it (self time), and the start's timeline of requests and long
// tasks. Not a benchmark: tracing slows what it watches; the ratios come from bench-web.js.
//   node trace-web.js start [TRACE.json]
//   node trace-web.js scene N FACES [TRACE.json]      (FACES 0 or 1)
//   node trace-web.js raw N FACES [TRACE.json]        (the same scene of raw-webgl.html)
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {serve} = require('../../tests/platform/web/serve.js');
const {launch, close} = require('../../tests/platform/web/browser.js');
const {FRAME_PROBE, BY_TIMER} = require('../../tests/platform/web/page.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../build-web');
const CATEGORIES = ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'v8.execute', 'v8', 'v8.wasm',
                    'blink', 'blink.user_timing', 'loading', 'gpu', 'toplevel', 'netlog', 'benchmark', 'viz'];

// Complete events per thread, with their self time (duration less that of the events inside them).
function threads(events) {
  const names = {}, byThread = {};
  const open = {};
  for (const e of events) {
    const key = `${e.pid}:${e.tid}`;
    if (e.ph === 'M' && e.name === 'thread_name') names[key] = e.args.name;
    let x = null;
    if (e.ph === 'X' && e.dur !== undefined) x = {...e};
    else if (e.ph === 'B') (open[key] = open[key] || []).push(e);
    else if (e.ph === 'E' && open[key] && open[key].length) {
      const b = open[key].pop();
      x = {...b, dur: e.ts - b.ts};
    }
    if (x) (byThread[key] = byThread[key] || []).push(x);
  }
  for (const key in byThread) {
    const list = byThread[key].sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const stack = [];
    for (const e of list) {
      e.self = e.dur;
      e.children = [];
      while (stack.length && stack[stack.length - 1].ts + stack[stack.length - 1].dur <= e.ts) stack.pop();
      const parent = stack[stack.length - 1];
      if (parent) {
        parent.self -= e.dur;
        parent.children.push(e);
      }
      e.top = !parent;
      stack.push(e);
    }
  }
  return {names, byThread};
}

const label = (e) => {
  const d = e.args && (e.args.data || e.args);
  const url = d && (d.url || d.fileName || (d.frame && d.url));
  return url ? `${e.name} ${String(url).replace(/^.*\//, '')}` : e.name;
};

function summarise(events, from, to) {
  const {names, byThread} = threads(events);
  const rows = [];
  for (const key in byThread) {
    const inside = byThread[key].filter((e) => e.ts >= from && e.ts + e.dur <= to);
    const busy = inside.filter((e) => e.top).reduce((s, e) => s + e.dur, 0);
    if (busy < 2000) continue;
    const self = {};
    for (const e of inside) self[label(e)] = (self[label(e)] || 0) + e.self;
    const top = Object.entries(self).sort((a, b) => b[1] - a[1]).slice(0, 8)
      .map(([n, t]) => `${n} ${(t / 1000).toFixed(1)}`).join('; ');
    rows.push({busy, text: `${names[key] || key}: busy ${(busy / 1000).toFixed(1)} ms — ${top}`});
  }
  return rows.sort((a, b) => b.busy - a.busy).map((r) => r.text);
}

// The start: requests and the long tasks of the renderer's and the GPU's main threads, in order.
function timeline(events, from, to) {
  const {names, byThread} = threads(events);
  const lines = [];
  // The page's renderer: the process that asked for the page's files (Chromium's own pages run
  // in renderers of their own).
  const ours = (e) => e.name === 'ResourceSendRequest' && /127\.0\.0\.1/.test(e.args.data.url);
  const page = (events.find(ours) || {}).pid;
  for (const e of events) {
    if (e.ts < from || e.ts > to || (e.pid !== page && /^Resource/.test(e.name))) continue;
    const d = e.args && e.args.data;
    if (e.name === 'ResourceSendRequest' && d) lines.push([e.ts, `request ${d.url.replace(/^.*\//, '') || '/'}`]);
    if (e.name === 'ResourceFinish' && d) lines.push([e.ts, `finished ${d.encodedDataLength} B (${d.requestId})`]);
  }
  for (const key in byThread) {
    const name = names[key] || '';
    if (!/CrRendererMain|CrGpuMain|VizCompositor/.test(name) || (/Renderer/.test(name) && !key.startsWith(page + ':')))
      continue;
    for (const e of byThread[key]) {
      if (!e.top || e.ts < from || e.ts > to || e.dur < 4000) continue;
      const inner = [];
      const walk = (x) => x.children.forEach((c) => { inner.push(c); walk(c); });
      walk(e);
      const heavy = inner.filter((c) => c.self > 1000).sort((a, b) => b.self - a.self).slice(0, 4)
        .map((c) => `${label(c)} ${(c.self / 1000).toFixed(1)}`).join('; ');
      lines.push([e.ts, `${name} ${(e.dur / 1000).toFixed(1)} ms: ${heavy}`]);
    }
  }
  return lines.sort((a, b) => a[0] - b[0]).map(([ts, t]) => `${((ts - from) / 1000).toFixed(1).padStart(7)} ms  ${t}`);
}

(async () => {
  const [what, n, faces, out] = process.argv.slice(2);
  const traceFile = (what === 'start' ? n : out) || `/tmp/tessary-trace-${what}.json`;
  const program = await serve(WEB_BUILD, 0);
  const reference = await serve(__dirname, 0);
  const browser = await launch();
  const url = `http://127.0.0.1:${program.address().port}/`;
  if (what === 'start') {
    // A browser that has shown the page before, as the benchmark's has: a fresh browser spends its
    // first second loading its own pages (the omnibox's and the new tab's) beside the page.
    for (let k = 0; k < 2; ++k) {
      const visit = await browser.newPage();
      await visit.evaluateOnNewDocument(FRAME_PROBE);
      await visit.goto(url);
      await visit.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 1, {...BY_TIMER, timeout: 60000});
      await visit.close();
    }
  }
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(FRAME_PROBE);
  if (what === 'start') {
    // Its files come from the HTTP server, as the benchmark's do.
    await page.tracing.start({path: traceFile, categories: CATEGORIES});
    await page.goto(url);
    await page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 1, {...BY_TIMER, timeout: 60000});
    const first = await page.evaluate(() => tessaryFrames.firstShownAt);
    await page.tracing.stop();
    const events = JSON.parse(fs.readFileSync(traceFile, 'utf8')).traceEvents;
    const nav = events.find((e) => e.name === 'navigationStart' && e.args && e.args.data &&
                                   e.args.data.isLoadingMainFrame && /127\.0\.0\.1/.test(e.args.data.documentLoaderURL));
    const from = nav ? nav.ts : Math.min(...events.filter((e) => e.ts).map((e) => e.ts));
    const to = from + first * 1000;
    console.log(`first frame ${first.toFixed(0)} ms after navigation`);
    console.log(timeline(events, from, to).join('\n'));
    console.log(summarise(events, from, to).join('\n'));
  } else {
    const frames = 8;
    if (what === 'raw') {
      await page.goto(`http://127.0.0.1:${reference.address().port}/raw-webgl.html?n=${n}&faces=${faces}&frames=400`);
      await page.waitForFunction(() => performance.now() > 3000, {polling: 100});
    } else {
      await page.goto(url);
      await page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {...BY_TIMER, timeout: 60000});
      const box = await page.evaluate(() => document.getElementById('canvas').getBoundingClientRect().toJSON());
      // As bench-web.js does it: the pointer arrives first, and each step is handled before the next.
      const settle = async (k) => {
        const shown = await page.evaluate(() => tessaryFrames.shown);
        await page.waitForFunction((s, m) => tessaryFrames.shown >= s + m, {...BY_TIMER, timeout: 120000}, shown, k);
      };
      const click = async (x, y) => {
        await page.mouse.move(box.left + x, box.top + y);
        await settle(2);
        await page.mouse.down();
        await page.mouse.up();
        await settle(3);
      };
      await click(200, 25);
      await page.keyboard.type(String(n), {delay: 30});
      await settle(3);
      await click(924, 35);
      if (Number(n) > 6) await click(452, 399);
      if (faces === '1') await click(410, 28);
    }
    await page.tracing.start({path: traceFile, categories: CATEGORIES});
    const started = await page.evaluate(() => performance.now());
    await page.evaluate((k) => new Promise((r) => {
      let left = k;
      const tick = () => (--left ? requestAnimationFrame(tick) : r());
      requestAnimationFrame(tick);
    }), frames);
    const took = await page.evaluate(() => performance.now()) - started;
    await page.tracing.stop();
    const events = JSON.parse(fs.readFileSync(traceFile, 'utf8')).traceEvents;
    const times = events.filter((e) => e.ts).map((e) => e.ts);
    console.log(`${frames} frames in ${took.toFixed(0)} ms; per frame:`);
    console.log(summarise(events, Math.min(...times), Math.max(...times)).join('\n'));
  }
  await close(browser);
  program.close();
  reference.close();
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
