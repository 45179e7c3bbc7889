// The picture of the browser build in docs/browser.md: the 5-cube, turned, in faces mode, as headless
// Chromium composites the page. node screenshot.js BUILD_DIR OUT.png [WIDTHxHEIGHT[@RATIO][+touch]]
// With a viewport, the whole page at that size instead of the canvas alone (a phone with +touch,
// whose keyboard typing comes as a soft keyboard's).
'use strict';
const {TessaryPage} = require('./page.js');

function viewportOf(text) {
  const m = /^(\d+)x(\d+)(?:@(\d+(?:\.\d+)?))?(\+touch)?$/.exec(text || '');
  if (!m) return null;
  const touch = !!m[4];
  return {width: Number(m[1]), height: Number(m[2]), deviceScaleFactor: Number(m[3] || 1), isMobile: touch,
          hasTouch: touch};
}

(async () => {
  const viewport = viewportOf(process.argv[4]);
  const tessary = await TessaryPage.open(process.argv[2], {viewport});
  const touch = viewport && viewport.hasTouch;
  if (touch) {
    await tessary.tap(200, 25);
    const client = await tessary.cdp();
    await client.send('Input.insertText', {text: '5'});
    await tessary.settle();
    await tessary.tap(924, 35);
    await tessary.tap(410, 28);
  } else {
    await tessary.click(200, 25);
    await tessary.type('5');
    await tessary.click(924, 35);
    await tessary.click(410, 28);
  }
  for (const [a, b, ms] of [['Digit0', 'Digit3', 500], ['Digit1', 'Digit4', 400], ['Digit0', 'Digit2', 250]]) {
    await tessary.page.keyboard.down(a);
    await tessary.page.keyboard.down(b);
    await new Promise((r) => setTimeout(r, ms));
    await tessary.page.keyboard.up(b);
    await tessary.page.keyboard.up(a);
  }
  await tessary.settle(5);
  if (viewport) {
    await tessary.page.screenshot({path: process.argv[3]});
  } else {
    const canvas = await tessary.page.$('canvas');
    await canvas.screenshot({path: process.argv[3]});
  }
  await tessary.close();
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
