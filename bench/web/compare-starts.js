// Starts of browser builds side by side: node compare-starts.js ROUNDS BUILD_DIR... shows each
// build's page and the raw page's n = 3 wireframe in turn, ROUNDS times, in one headless Chromium
// that has shown each twice before, and prints the median navigation-to-first-frame of each against
// the raw page's. Alternating in one run is what makes two builds comparable on a shared machine.
// MARKS=1 also prints, for each build, the medians of when the page's calls to the browser happened
// (the WebAssembly's compile, the WebGL and Canvas 2D contexts, the first text measured) and when
// each file arrived: a timeline of the start without a tracer's slowing. Not a benchmark table.
'use strict';
const path = require('node:path');
const {serve} = require('../../tests/platform/web/serve.js');
const {launch, close} = require('../../tests/platform/web/browser.js');
const {FRAME_PROBE, BY_TIMER} = require('../../tests/platform/web/page.js');

const MARKS_PROBE = `(function () {
  var marks = window.tessaryStartMarks = {};
  var mark = function (name) { if (!(name in marks)) marks[name] = performance.now(); };
  var wrap = function (owner, name, before, after) {
    var f = owner[name];
    owner[name] = function () {
      mark(before);
      var result = f.apply(this, arguments);
      if (after) mark(after);
      return result;
    };
  };
  var compile = WebAssembly.compileStreaming;
  WebAssembly.compileStreaming = function () {
    mark('compile asked');
    return compile.apply(this, arguments).then(function (m) { mark('compiled'); return m; });
  };
  wrap(WebAssembly, 'instantiate', 'instantiate');
  wrap(HTMLCanvasElement.prototype, 'getContext', 'first getContext', 'first context made');
  wrap(CanvasRenderingContext2D.prototype, 'measureText', 'first measureText');
  document.addEventListener('DOMContentLoaded', function () { mark('DOMContentLoaded'); });
})();`;

const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];

(async () => {
  const rounds = Number(process.argv[2]);
  const dirs = process.argv.slice(3).map((d) => path.resolve(d));
  if (!(rounds > 0) || !dirs.length) throw new Error('usage: node compare-starts.js ROUNDS BUILD_DIR...');
  const marks = process.env.MARKS === '1';
  const servers = await Promise.all(dirs.map((d) => serve(d, 0)));
  const reference = await serve(__dirname, 0);
  const browser = await launch([]);
  const urls = servers.map((s) => `http://127.0.0.1:${s.address().port}/`);
  const referenceUrl = `http://127.0.0.1:${reference.address().port}/raw-webgl.html?n=3&faces=0&frames=3&ratio=1`;

  const program = async (url) => {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(FRAME_PROBE);
    if (marks) await page.evaluateOnNewDocument(MARKS_PROBE);
    await page.goto(url);
    await page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {...BY_TIMER, timeout: 60000});
    const result = await page.evaluate(() => {
      const m = Object.assign({}, window.tessaryStartMarks);
      for (const e of performance.getEntriesByType('resource'))
        if (e.responseEnd < tessaryFrames.firstShownAt) m['arrived ' + e.name.split('/').pop()] = e.responseEnd;
      m['first frame'] = tessaryFrames.firstShownAt;
      return m;
    });
    await page.close();
    return result;
  };
  const raw = async () => {
    const page = await browser.newPage();
    await page.goto(referenceUrl);
    await page.waitForFunction(() => window.result, {timeout: 60000, polling: 50});
    const first = await page.evaluate(() => window.result.firstFrame);
    await page.close();
    return first;
  };

  for (const url of urls) for (let k = 0; k < 2; ++k) await program(url);
  for (let k = 0; k < 2; ++k) await raw();
  const starts = dirs.map(() => ({})), references = [];
  for (let round = 0; round < rounds; ++round) {
    for (let k = 0; k < urls.length; ++k) {
      const m = await program(urls[k]);
      for (const name in m) (starts[k][name] = starts[k][name] || []).push(m[name]);
    }
    references.push(await raw());
  }
  const reference0 = median(references);
  dirs.forEach((dir, k) => {
    const first = median(starts[k]['first frame']);
    console.log(`${dir}: ${first.toFixed(0)} ms, ${(first / reference0).toFixed(2)} of the raw page's`);
    if (marks)
      Object.entries(starts[k]).map(([name, v]) => [name, median(v)]).sort((a, b) => a[1] - b[1])
        .forEach(([name, t]) => console.log(`  ${t.toFixed(1).padStart(6)} ms  ${name}`));
  });
  console.log(`raw page: ${reference0.toFixed(0)} ms`);
  await close(browser);
  servers.forEach((s) => s.close());
  reference.close();
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
