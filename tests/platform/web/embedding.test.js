// The page inside a page of another origin, in Chromium, Firefox and WebKitGTK: its messages to the
// host and its answers, the reader's own moves told to the host, and the <tessary-view> element.
// Pictures are compared within 3 levels per channel. TESSARY_ENGINES=firefox (a comma-separated
// list) runs some of the engines only.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const {HostedPage} = require('./hosted_page.js');
const {ENGINES} = require('./engines.js');
const {compare} = require('./frames.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');
const TOLERANCE = 3;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The share of pixels of `a` and `b` that differ by more than the tolerance.
function differing(a, b) {
  const {differing: d, compared} = compare(a, b, {x0: 0, y0: 0, x1: a.width, y1: a.height}, [], TOLERANCE);
  return d / compared;
}

// The reader turns the cube: a click on the canvas, two digits held. WebKitGTK can leave digits
// held after WebDriver's key-up; the keyboard leaving the window lets go of every key.
async function readerTurns(page, keys) {
  await page.click(512, 600);
  await page.hold(keys, 500);
  await page.evaluate(() => { Module.canvas.blur(); Module.canvas.focus(); });
}

// The view the page shows when `text` is opened as a link in its frame, and that frame.
async function openedAsLink(page, text) {
  await page.evaluate((t) => { location.hash = ''; location.hash = '#view=' + t; }, text);
  await page.settle(4);
  return page.frame();
}

const turned = {}; // by engine: a turned 4-cube, as the page told it

for (const engine of RUN) {
  describe(`The page in another origin's page, in ${engine}`, () => {
    let page, axisAligned;
    before(async () => { page = await HostedPage.open(engine, WEB_BUILD); });
    after(async () => { if (page) await page.close(); });

    it('says it is ready, and set-view then get-view gives back the view set', async () => {
      const [ready] = await page.waitForHost(() => received.length && received, 30000);
      assert.equal(ready.type, 'ready');
      assert.match(ready.view, /^v1\.0/, 'the view at start: no cube yet');
      assert.deepEqual(await page.ask({type: 'set-dimension', dimension: 4}), {tessary: 1, type: 'done', id: 1});
      // A dimension outside 3 to 8, one that would wrap around to 4 in an int too, is the host's mistake:
      // refused, and nothing is put to the reader.
      for (const dimension of [1000000000, 2 ** 32 + 4]) {
        const {kind, reason} = await page.ask({type: 'set-dimension', dimension});
        assert.deepEqual([kind, reason], ['out of range', 'out of range: the dimension must be 3 to 8'], `${dimension}`);
      }
      assert.deepEqual([await page.evaluate(() => document.getElementById('ask').open),
                        (await page.received()).filter((m) => m.type === 'question')], [false, []], 'dialog, questions');
      axisAligned = (await page.ask({type: 'get-view'})).view;
      assert.match(axisAligned, /^v1\.4w\./);
      assert.equal((await page.ask({type: 'set-faces', faces: true})).type, 'done');
      const faces = (await page.ask({type: 'get-view'})).view;
      assert.match(faces, /^v1\.4f\./, 'the faces shown');
      // A view that comes back to the one last told before it settles is no change, so the faces'
      // view is waited for first.
      const toldAs = (v, k = 0) => page.waitForHost(
          (v, k) => received.slice(k).find((m) => m.type === 'view-changed' && m.view === v), 30000, v, k);
      await toldAs(faces);
      const from = (await page.received()).length;
      assert.equal((await page.ask({type: 'set-view', view: axisAligned})).type, 'done');
      assert.equal((await page.ask({type: 'get-view'})).view, axisAligned);
      await toldAs(axisAligned, from);
    });

    it('tells the host of the reader\'s turn once, with a view that opens the same picture as a link', async () => {
      const from = (await page.received()).length;
      await readerTurns(page, ['Digit0', 'Digit3']);
      await page.waitForHost((k) => received.slice(k).some((m) => m.type === 'view-changed'), 30000, from);
      await sleep(1200); // a second change would have been told by now
      const told = (await page.received(from)).filter((m) => m.type === 'view-changed');
      assert.equal(told.length, 1, `view-changed messages after one turn: ${JSON.stringify(told)}`);
      turned[engine] = told[0].view;
      assert.notEqual(turned[engine], axisAligned);
      const shown = await page.frame();
      assert.equal((await page.ask({type: 'set-view', view: axisAligned})).type, 'done');
      const other = await page.frame();
      const link = await openedAsLink(page, turned[engine]);
      assert.ok(differing(shown, other) > 0.001, 'the axis-aligned picture differs from the turned one');
      assert.ok(differing(shown, link) <= 0.001, `the turned view, opened as a link: ${differing(shown, link)} differ`);
    });

    it('refuses a broken view with the program\'s reason, and the picture stays', async () => {
      const before = await page.frame();
      const answer = await page.ask({type: 'set-view', view: 'v1.4f.AAAA'});
      assert.deepEqual([answer.type, answer.kind], ['refused', 'unreadable']);
      assert.match(answer.reason, /^unreadable: the view ends too early/);
      assert.ok(differing(before, await page.frame()) <= 0.001, 'the picture after the refusal');
      assert.equal((await page.ask({type: 'get-view'})).view, turned[engine]);
    });

    it('takes no message from a frame other than the parent', async () => {
      const faces = () => page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._tessary_page_state())).facesShown);
      const shown = await faces();
      await page.host((m) => askFromOther(m), {tessary: 1, id: 999, type: 'set-faces', faces: !shown});
      await sleep(800);
      await page.settle();
      assert.deepEqual([await faces(), (await page.received()).filter((m) => m.id === 999)], [shown, []]);
    });

    it('animates to a view, drawn though the host had the keyboard, and arrives on it exactly: the picture of ' +
       'that view opened as a link', async () => {
      assert.equal((await page.ask({type: 'set-view', view: axisAligned})).type, 'done');
      await page.clickHost('host-button');
      // WebKitGTK's driver gives a frame the keyboard as it enters it, so there the host cannot keep
      // it while the test looks into the frame.
      if (engine !== 'webkit')
        assert.equal(await page.evaluate(() => document.hasFocus()), false, 'the host has the keyboard');
      const answer = await page.ask({type: 'animate-to', view: turned[engine], ms: 700});
      assert.equal(answer.type, 'done', JSON.stringify(answer));
      assert.deepEqual(await page.evaluate(() => [document.hasFocus(), document.activeElement === Module.canvas]),
                       [true, true], 'the window has the keyboard, and draws');
      assert.equal((await page.ask({type: 'get-view'})).view, turned[engine]);
      const arrived = await page.frame();
      assert.equal((await page.ask({type: 'set-view', view: axisAligned})).type, 'done');
      const link = await openedAsLink(page, turned[engine]);
      assert.ok(differing(arrived, link) <= 0.001, `after the animation: ${differing(arrived, link)} differ`);
    });
  });

  describe(`The <tessary-view> element, in ${engine}`, () => {
    let page;
    before(async () => { page = await HostedPage.open(engine, WEB_BUILD, '/element.html'); });
    after(async () => { if (page) await page.close(); });

    it('shows the view it is given, animates, and says the reader\'s turn as a viewchange', async () => {
      await page.waitForHost(() => window.elementReady, 30000);
      assert.equal(await page.evaluate(() => document.documentElement.lang), 'en', 'the element\'s lang, in its page');
      const view = turned[engine];
      await page.host((v) => { document.getElementById('cube').view = v; }, view);
      await page.waitForHost((v) => changes.includes(v), 30000, view);
      assert.equal(await page.host(() => document.getElementById('cube').view), view);
      assert.equal(await page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._tessary_page_state())).dimension), 4);

      const from = (await page.host(() => changes.length));
      await readerTurns(page, ['Digit1', 'Digit2']);
      const changed = await page.waitForHost((k) => changes.length > k && changes[changes.length - 1], 30000, from);
      assert.notEqual(changed, view, 'the view after the reader\'s turn');

      const arrived = await page.host((v) => document.getElementById('cube').animateTo(v, 300)
        .then(() => document.getElementById('cube').getView()), view);
      assert.equal(arrived, view, 'the view once animateTo has resolved');
      const [kind, message] = await page.host(() => document.getElementById('cube').animateTo('v1.9', 10)
        .then(() => ['resolved', ''], (e) => [e.kind, e.message]));
      assert.deepEqual([kind, message.split(': ')[0]], ['unreadable', 'unreadable'], message);

      // playTour resolves at the tour's end, and rejects with the step a tour cannot be read at.
      const toured = await page.host(() => document.getElementById('cube').playTour('orbit 30 in 200ms; hold 3f')
        .then(() => document.getElementById('cube').getView()));
      assert.notEqual(toured, view, 'the view once playTour has resolved');
      const [tourKind, tourMessage] = await page.host(() => document.getElementById('cube').playTour('spin')
        .then(() => ['resolved', ''], (e) => [e.kind, e.message]));
      assert.deepEqual([tourKind, tourMessage], ['unreadable',
        'unreadable: step 1 \'spin\': \'spin\' is no step; a step is turn, orbit, to, hold or faces'], tourMessage);
    });
  });
}
