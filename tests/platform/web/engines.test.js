// The desktop scenario in every browser engine the page is checked in (Chromium, Firefox and
// WebKitGTK, see engines.js), written once: build, refuse, ask, faces, turn, zoom, lose the focus,
// end; the frames compared with the desktop build's. TESSARY_ENGINES=firefox (a comma-separated
// list) runs some of them only.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {EnginePage} = require('./engine_page.js');
const {ENGINES} = require('./engines.js');
const {compare} = require('./frames.js');
const {FIELD, BUTTON, CHECK_BOX, OK_ALONE, CANCEL, SCENE, TOLERANCE, desktopFrames, litExtent, yellowPixels,
       expectLike} = require('./desktop_scenes.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-engine-frames-'));
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');

let desktop;
before(() => { desktop = desktopFrames(DESKTOP_BUILD, OUT); });

for (const engine of RUN) {
  describe(`The desktop scenario in ${engine}`, () => {
    let tessary;
    const like = (name, frame, ...rest) => expectLike(desktop, OUT, engine, name, frame, ...rest);
    const replaceField = async (text) => {
      await tessary.click(...FIELD);
      for (let i = 0; i < 3; ++i) await tessary.press('Backspace');
      await tessary.type(text);
    };
    before(async () => { tessary = await EnginePage.open(engine, WEB_BUILD); });
    after(async () => { if (tessary) await tessary.close(); });

    it('shows the start panel as the desktop does', async () => {
      like('start-screen', await tessary.frame());
    });

    it('builds the 3-cube where the projection puts it', async () => {
      await replaceField('3');
      await tessary.click(...BUTTON);
      const frame = await tessary.frame();
      like('three-cube', frame);
      assert.deepEqual(litExtent(frame), litExtent(desktop['three-cube']), 'extent of the lit pixels of the 3-D area');
    });

    it("refuses '9' over the dimmed scene and OK closes the message", async () => {
      await replaceField('9');
      await tessary.click(...BUTTON);
      like('message-box-nine', await tessary.frame());
      await tessary.click(...OK_ALONE);
      assert.equal(yellowPixels(await tessary.frame()), 0, 'no message after OK');
    });

    it("asks before building '7' and Cancel keeps the 3-cube", async () => {
      await replaceField('7');
      await tessary.click(...BUTTON);
      assert.ok(yellowPixels(await tessary.frame()) > 100, 'the question is shown');
      await tessary.click(...CANCEL);
      like('three-cube', await tessary.frame());
    });

    it('draws faces mode as the desktop does', async () => {
      await tessary.click(...CHECK_BOX);
      like('three-cube-faces', await tessary.frame(), SCENE, true);
      await tessary.click(...CHECK_BOX); // back to the wireframe, whose extent is its edges
    });

    it('turns the cube while two digits are held', async () => {
      const before = await tessary.frame();
      await tessary.hold(['Digit0', 'Digit1'], 600);
      await tessary.settle();
      const {differing} = compare(before, await tessary.frame(), SCENE, [], TOLERANCE);
      assert.ok(differing > 1000, `${differing} pixels of the scene changed`);
    });

    it('zooms out when the wheel turns towards the user', async () => {
      const near = litExtent(await tessary.frame());
      await tessary.move(512, 400);
      for (let i = 0; i < 5; ++i) await tessary.wheel(512, 400, 100);
      await tessary.settle();
      const far = litExtent(await tessary.frame());
      assert.ok(far.maxX - far.minX < near.maxX - near.minX,
                `width of the cube ${far.maxX - far.minX} px after, ${near.maxX - near.minX} px before`);
    });

    it('lets go of held keys when the canvas loses the focus', async () => {
      await tessary.driver.keyDown('Digit0');
      await tessary.driver.keyDown('Digit1');
      await tessary.settle();
      await tessary.evaluate(() => Module.canvas.blur());
      await tessary.driver.keyUp('Digit1'); // heard by the page, not by the canvas
      await tessary.driver.keyUp('Digit0');
      await tessary.evaluate(() => Module.canvas.focus());
      await tessary.settle();
      const first = await tessary.frame();
      await new Promise((r) => setTimeout(r, 300));
      const {differing} = compare(first, await tessary.frame(), SCENE, [], TOLERANCE);
      assert.ok(differing < 50, `${differing} pixels of the scene changed after the keys were let go`);
    });

    it('ends on Escape, says so and offers to start again', async () => {
      await tessary.press('Escape');
      // The end's message, not a failure's: the page shows it only for exit status 0.
      await tessary.waitFor(() => getComputedStyle(document.getElementById('ended')).display !== 'none', 10000);
      assert.ok(await tessary.evaluate(() => getComputedStyle(document.getElementById('status')).display === 'none'),
                'no failure line beside the end');
      assert.deepEqual(await tessary.errors(), [], 'errors on the page');
    });
  });
}
