// The README's picture of the browser build: the 5-cube, turned, in faces mode, as headless
// Chromium composites the page. node screenshot.js BUILD_DIR OUT.png
'use strict';
const {TessaryPage} = require('./page.js');

(async () => {
  const tessary = await TessaryPage.open(process.argv[2]);
  await tessary.click(200, 25);
  await tessary.type('5');
  await tessary.click(924, 35);
  await tessary.click(410, 28);
  for (const [a, b, ms] of [['Digit0', 'Digit3', 500], ['Digit1', 'Digit4', 400], ['Digit0', 'Digit2', 250]]) {
    await tessary.page.keyboard.down(a);
    await tessary.page.keyboard.down(b);
    await new Promise((r) => setTimeout(r, ms));
    await tessary.page.keyboard.up(b);
    await tessary.page.keyboard.up(a);
  }
  await tessary.settle(5);
  const canvas = await tessary.page.$('canvas');
  await canvas.screenshot({path: process.argv[3]});
  await tessary.close();
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
