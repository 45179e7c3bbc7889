// The page's input in headless Chromium, where only a browser can show it: the keys the browser
// keeps, and the wheel's fractions of a notch reaching the program.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const {TessaryPage} = require('./page.js');
const {pixel} = require('./frames.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const FIELD = [200, 25], BUTTON = [924, 35];

// The width of the lit pixels across the middle row of the 3-D area.
function litWidth(frame) {
  const y = Math.round(384 * frame.width / 1024);
  let minX = frame.width, maxX = -1;
  for (let x = 0; x < frame.width; ++x)
    if (pixel(frame, x, y)[0] > 128) {
      minX = Math.min(minX, x);
      maxX = Math.max(maxX, x);
    }
  return maxX - minX;
}

describe('The page\'s input in headless Chromium', () => {
  let tessary;
  before(async () => {
    tessary = await TessaryPage.open(WEB_BUILD);
    await tessary.click(...FIELD);
    for (let i = 0; i < 3; ++i) await tessary.page.keyboard.press('Backspace');
    await tessary.type('3');
    await tessary.click(...BUTTON);
  });
  after(async () => {
    if (tessary) await tessary.close();
  });

  it('zooms by the small steps of a touchpad, a half notch by half a notch\'s zoom', async () => {
    await tessary.move(512, 400);
    const start = litWidth(await tessary.frame());
    for (let i = 0; i < 6; ++i) await tessary.page.mouse.wheel({deltaY: -8}); // 6 × 9.6 of 120 units
    await tessary.settle();
    const half = litWidth(await tessary.frame());
    await tessary.page.mouse.wheel({deltaY: -100});
    await tessary.settle();
    const whole = litWidth(await tessary.frame());
    assert.ok(half > start && half - start < whole - half,
              `widths ${start}, ${half} after half a notch, ${whole} after another whole notch`);
  });

  it('leaves Tab to the browser, which moves the focus out of the canvas', async () => {
    await tessary.page.evaluate(() => Module.canvas.focus());
    await tessary.page.keyboard.press('Tab');
    const focused = await tessary.page.evaluate(() => document.activeElement && document.activeElement.id);
    assert.notEqual(focused, 'canvas', 'the canvas kept the focus after Tab');
    assert.deepEqual(tessary.errors, [], 'errors on the page');
  });
});
