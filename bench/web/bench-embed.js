// The costs of the page inside a host page of another origin (make bench-web, after bench-web.js),
// in headless Chromium, with the 6- and 8-cube with faces:
//   E1 the page's main-thread time for a view-changed: the watch's tick that finds the view settled,
//      settles it and tells the host (the host sets a view, ten times);
//   E2 the frame interval while animate-to runs, against a plain turn of the reader's.
// Prints one table; never fails on a figure.
'use strict';
const path = require('node:path');
const {HostedPage} = require('../../tests/platform/web/hosted_page.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../build-web');
const median = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
const fixed = (v, d = 2) => v.toFixed(d);

// In the embedded page before its scripts: the watch's ticks timed (the interval callback that reads
// views.peek()), and whether each told the host, which takes the settled view.
const TIMING = `(() => {
  const every = window.setInterval;
  window.tessaryTicks = [];
  let captures = 0;
  window.setInterval = function (f, ms, ...rest) {
    if (typeof f !== 'function' || !String(f).includes('views.peek()')) return every.call(this, f, ms, ...rest);
    return every.call(this, () => {
      if (window.Module && Module._tessary_capture_view && !Module._tessary_capture_view.timed) {
        const capture = Module._tessary_capture_view;
        Module._tessary_capture_view = (...a) => (++captures, capture(...a));
        Module._tessary_capture_view.timed = true;
      }
      const before = captures, start = performance.now();
      f();
      tessaryTicks.push({ms: performance.now() - start, told: captures > before});
    }, ms, ...rest);
  };
})();`;

// The intervals between the next `count` + 1 frames the program draws.
function frameIntervals(count) {
  return new Promise((resolve) => {
    const times = [];
    const wait = () => {
      const waiting = Module.onFrameDrawn;
      Module.onFrameDrawn = () => {
        Module.onFrameDrawn = null;
        if (waiting) waiting();
        times.push(performance.now());
        if (times.length > count) resolve(times.slice(1).map((t, k) => t - times[k]));
        else wait();
      };
    };
    wait();
  });
}

async function measure(n) {
  const page = await HostedPage.open('chromium', WEB_BUILD, '/', TIMING);
  try {
    await page.click(512, 600); // the window has the keyboard, and draws
    const building = page.ask({type: 'set-dimension', dimension: n});
    if (n > 6) {
      await page.waitFor(() => document.getElementById('ask').open, 10000);
      await page.evaluate(() => document.querySelector('#ask button[value="ok"]').click());
    }
    await building;
    await page.ask({type: 'set-faces', faces: true});
    const first = (await page.ask({type: 'get-view'})).view;
    const from = (await page.received()).length;
    await page.hold(['Digit0', 'Digit3'], 600);
    // The turned view, told once the turn has settled (the faces' own change may be told first).
    const second = (await page.waitForHost((k, v) => received.slice(k).find((m) => m.type === 'view-changed' &&
                                                                          m.view !== v), 30000, from, first)).view;

    await page.evaluate(() => { tessaryTicks.length = 0; });
    for (let round = 0; round < 10; ++round) {
      const told = (await page.received()).length;
      await page.ask({type: 'set-view', view: round % 2 ? second : first});
      await page.waitForHost((k) => received.slice(k).some((m) => m.type === 'view-changed'), 30000, told);
    }
    const ticks = await page.evaluate(() => tessaryTicks);
    const telling = ticks.filter((t) => t.told).map((t) => t.ms);
    const quiet = ticks.filter((t) => !t.told).map((t) => t.ms);

    const frames = n === 8 ? 12 : 20;
    const turning = page.evaluate(frameIntervals, frames);
    await page.driver.keyDown('Digit1');
    await page.driver.keyDown('Digit2');
    const turn = median(await turning);
    await page.driver.keyUp('Digit2');
    await page.driver.keyUp('Digit1');
    await page.settle();
    const animating = page.evaluate(frameIntervals, frames);
    const arrival = page.ask({type: 'animate-to', view: first, ms: 60000});
    const animation = median(await animating);
    await page.ask({type: 'set-view', view: second}); // ends the animation
    await arrival;
    return {telling, quiet, turn, animation};
  } finally {
    await page.close();
  }
}

(async () => {
  const lines = ['| fig | measured | figure | target |', '|---|---|---|---|'];
  for (const n of [6, 8]) {
    const m = await measure(n);
    lines.push(`| E1 | main-thread time of a view-changed, n=${n} faces (median / most of ${m.telling.length}) | ` +
               `${fixed(median(m.telling))} / ${fixed(Math.max(...m.telling))} ms | ≤ 1 ms |`);
    lines.push(`| E1 | … a watch tick that tells nothing, n=${n} (median) | ${fixed(median(m.quiet), 3)} ms | – |`);
    lines.push(`| E2 | frame interval, animate-to / plain turn, n=${n} faces | ${fixed(m.animation, 1)} / ` +
               `${fixed(m.turn, 1)} ms = ${fixed(m.animation / m.turn)} | ≤ 1.2 |`);
  }
  console.log(lines.join('\n'));
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
