// The browser build driven in headless Chromium with real input, checked as the desktop end-to-end
// tests check the desktop build, and its frames compared with the desktop build's frames of the
// same scenes (written by the desktop viewer tests): geometry within a few levels per channel, the
// text masked, since the browser and FreeType rasterise glyphs differently. The desktop scenario
// itself runs in every engine in engines.test.js; here is what needs Chromium's DevTools protocol
// (other pixel ratios, touch, a lost context, no WebGL).
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {TessaryPage} = require('./page.js');
const {writePng, pixel, compare} = require('./frames.js');
const {FIELD, BUTTON, CHECK_BOX, OK_ALONE, WHOLE, SCENE, TEXT, TOLERANCE, ALLOWED_SHARE, desktopFrames,
       litExtent, yellowPixels, expectLike: expectScene} = require('./desktop_scenes.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-web-frames-'));

let desktop;
let tessary;

const expectLike = (name, ...rest) => expectScene(desktop, OUT, 'web', name, ...rest);

async function replaceField(text) {
  await tessary.click(...FIELD);
  for (let i = 0; i < 3; ++i) await tessary.page.keyboard.press('Backspace');
  if (text) await tessary.type(text);
}

// The canvas at 4:3, every pixel of it inside the viewport.
async function expectWholeCanvasInView(page) {
  const view = await page.page.evaluate(() => [innerWidth, innerHeight]);
  const box = page.canvasBox;
  assert.ok(box.left >= 0 && box.top >= 0 && box.left + box.width <= view[0] && box.top + box.height <= view[1],
            `canvas at ${JSON.stringify(box)} in a viewport of ${view.join(' × ')}`);
  assert.ok(Math.abs(box.width * 3 / 4 - box.height) <= 1, `canvas of ${box.width} × ${box.height}, not 4:3`);
}

describe('Tessary in headless Chromium', () => {
  before(async () => {
    desktop = desktopFrames(DESKTOP_BUILD, OUT);
    tessary = await TessaryPage.open(WEB_BUILD);
  });
  after(async () => {
    if (tessary) await tessary.close();
  });

  it('has the title and a 1024 × 768 canvas', async () => {
    assert.equal(await tessary.page.title(), 'QV作品---Tessary');
    const size = await tessary.page.evaluate(() => [Module.canvas.width, Module.canvas.height]);
    assert.deepEqual(size, [1024, 768]);
    assert.deepEqual([tessary.canvasBox.width, tessary.canvasBox.height], [1024, 768]);
  });

  it('builds the 3-cube where the projection puts it, with 3 px edges', async () => {
    await replaceField('3');
    await tessary.click(...BUTTON);
    const frame = await tessary.frame();
    expectLike('three-cube', frame);
    const lit = litExtent(frame), want = litExtent(desktop['three-cube']);
    assert.deepEqual(lit, want, 'extent of the lit pixels of the 3-D area');
    // The front square's left side, crossed at mid-height: a 3 px white column.
    let width = 0;
    for (let x = lit.minX; x < lit.minX + 10; ++x) width += pixel(frame, x, 384)[0] > 128;
    assert.equal(width, 3, 'width of the left edge at y 384');
  });

  it('draws the 3-cube into a 2048 × 1536 buffer at ratio 2, its edges where the projection puts them', async () => {
    // Another width as well: Chromium's emulation changes the ratio without telling the page.
    await tessary.resize({width: 1090, height: 900, deviceScaleFactor: 2});
    const frame = await tessary.frame();
    await tessary.resize({width: 1100, height: 900, deviceScaleFactor: 1});
    writePng(path.join(OUT, 'web-three-cube-ratio-2.png'), frame);
    assert.deepEqual([frame.width, frame.height], [2048, 1536], 'drawing buffer');
    const lit = litExtent(frame), want = litExtent(desktop['three-cube']);
    for (const side of ['minX', 'maxX', 'minY', 'maxY'])
      assert.ok(Math.abs(lit[side] - 2 * want[side]) <= 2,
                `${side} of the lit pixels: ${lit[side]}, twice the desktop's ${want[side]} expected (± 2)`);
    // The front square's left side at mid-height: the 3 px edge, 6 buffer pixels wide.
    let width = 0;
    for (let x = lit.minX; x < lit.minX + 20; ++x) width += pixel(frame, x, 768)[0] > 128;
    assert.equal(width, 6, 'width of the left edge at y 768');
  });

  it('refuses an empty field with the same message', async () => {
    await replaceField('');
    await tessary.click(...BUTTON);
    assert.ok(yellowPixels(await tessary.frame()) > 100, 'the message is shown');
    await tessary.click(...OK_ALONE);
    assert.equal(yellowPixels(await tessary.frame()), 0);
  });

  it('gives the picture back when the browser restores a lost WebGL context', async () => {
    const before = await tessary.frame();
    await tessary.page.evaluate(() => {
      window.tessaryLoseContext = Module.canvas.getContext('webgl').getExtension('WEBGL_lose_context');
      tessaryLoseContext.loseContext();
    });
    await tessary.page.waitForFunction(() => getComputedStyle(document.getElementById('lost')).display !== 'none');
    await tessary.page.evaluate(() => tessaryLoseContext.restoreContext());
    await tessary.page.waitForFunction(() => getComputedStyle(document.getElementById('lost')).display === 'none');
    await tessary.settle();
    const after = await tessary.frame();
    writePng(path.join(OUT, 'web-restored.png'), after);
    const {differing, compared} = compare(before, after, WHOLE, TEXT, TOLERANCE);
    assert.ok(differing <= compared * ALLOWED_SHARE,
              `${differing} of ${compared} pixels differ from the frame before the loss; frames in ${OUT}`);
  });

  it('lets go of the button when the canvas loses the pointer capture', async () => {
    await tessary.move(512, 400);
    await tessary.settle(2);
    await tessary.page.mouse.down();
    await tessary.settle(2);
    // The browser takes the capture away (a system gesture, a dialog); the release happens elsewhere.
    await tessary.page.evaluate(() => {
      for (let id = 0; id < 8; ++id) if (Module.canvas.hasPointerCapture(id)) Module.canvas.releasePointerCapture(id);
    });
    const beside = tessary.at(1024, 400);
    await tessary.page.mouse.move(beside.x + 20, beside.y);
    await tessary.page.mouse.up();
    await tessary.move(512, 400);
    await tessary.settle();
    const first = await tessary.frame();
    for (const x of [560, 620, 700]) await tessary.move(x, 420);
    await tessary.settle();
    const {differing} = compare(first, await tessary.frame(), SCENE, [], TOLERANCE);
    assert.ok(differing < 50, `${differing} pixels of the scene changed while the pointer only hovered`);
  });

  it('fits an 800 × 600 window at ratio 3 whole, and a click at a scaled position lands', async () => {
    await tessary.resize({width: 800, height: 600, deviceScaleFactor: 3});
    await expectWholeCanvasInView(tessary);
    const wireframe = await tessary.frame();
    await tessary.click(...CHECK_BOX);
    const {differing} = compare(wireframe, await tessary.frame(), SCENE, [], TOLERANCE);
    await tessary.click(...CHECK_BOX);
    await tessary.resize({width: 1100, height: 900, deviceScaleFactor: 1});
    assert.ok(differing > 1000, `${differing} pixels changed: the check box at scale ${tessary.scale} was missed`);
  });

  it('ends on Escape, says so and offers to start again', async () => {
    await tessary.page.keyboard.press('Escape');
    // The end's message, not a failure's: the program ended with status 0.
    await tessary.page.waitForFunction(() => getComputedStyle(document.getElementById('ended')).display !== 'none',
                                       {timeout: 10000});
    assert.equal(await tessary.page.$eval('#status', (e) => getComputedStyle(e).display), 'none', 'failure shown');
    await tessary.page.keyboard.press('Digit5');
    await tessary.move(300, 300);
    assert.equal(await tessary.page.evaluate(() => Module.input.pending()), 0, 'input queued after the end');
    assert.deepEqual(tessary.errors, [], 'errors on the page');
  });
});

describe('Tessary on a phone, by touch', () => {
  let phone;
  before(async () => {
    phone = await TessaryPage.open(WEB_BUILD, {viewport: {width: 390, height: 844, deviceScaleFactor: 3,
                                                         isMobile: true, hasTouch: true}});
  });
  after(async () => {
    if (phone) await phone.close();
  });

  it('shows the whole canvas at 390 × 844, and the screen keys below it', async () => {
    await expectWholeCanvasInView(phone);
    const keys = await phone.page.$eval('#keys', (e) => {
      const r = e.getBoundingClientRect();
      return {top: r.top, bottom: r.bottom, right: r.right, count: e.querySelectorAll('button').length};
    });
    const box = phone.canvasBox;
    assert.ok(keys.top >= box.top + box.height && keys.bottom <= 844 && keys.right <= 390,
              `keys at ${JSON.stringify(keys)}, canvas at ${JSON.stringify(box)}`);
    assert.equal(keys.count, 9);
  });

  it('builds the 4-cube from a tap on the field, the soft keyboard and a tap on the button', async () => {
    await phone.tap(...FIELD);
    assert.equal(await phone.page.evaluate(() => document.activeElement.id), 'typing',
                 'the numeric input has the focus, which brings up the soft keyboard');
    const client = await phone.cdp();
    await client.send('Input.insertText', {text: '4'});
    await phone.settle();
    await phone.tap(...BUTTON);
    const frame = await phone.frame();
    const lit = litExtent(frame);
    assert.equal(yellowPixels(frame), 0, 'no message refusing the field');
    assert.ok(lit.maxX - lit.minX > 200, `lit extent ${JSON.stringify(lit)}`);
  });

  it('orbits by the drag of a finger, not by the jump from the last touch', async () => {
    const start = await phone.frame();
    await phone.touch([[300, 450]], [[330, 450]], [[360, 450]]);
    const turned = await phone.frame();
    await phone.touch([[360, 450]], [[330, 450]], [[300, 450]]);
    const back = await phone.frame();
    const away = compare(start, turned, SCENE, [], TOLERANCE).differing;
    const stayed = compare(start, back, SCENE, [], TOLERANCE).differing;
    assert.ok(away > 1000, `${away} pixels changed by the drag`);
    assert.ok(stayed < 100, `${stayed} pixels differ after dragging back the same way`);
  });

  it('turns the cube while two fingers hold the screen keys 0 and 1, and stops when they lift', async () => {
    const centre = async (vk) => phone.page.$eval(`#keys [data-vk="${vk}"]`, (e) => {
      const r = e.getBoundingClientRect();
      return {x: r.left + r.width / 2, y: r.top + r.height / 2};
    });
    const fingers = [{...await centre(48), id: 0}, {...await centre(49), id: 1}];
    const client = await phone.cdp();
    const start = await phone.frame();
    await client.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: fingers});
    await new Promise((r) => setTimeout(r, 400));
    await client.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    await phone.settle();
    const turned = await phone.frame();
    await new Promise((r) => setTimeout(r, 300));
    const {differing: moved} = compare(start, turned, SCENE, [], TOLERANCE);
    const {differing: after} = compare(turned, await phone.frame(), SCENE, [], TOLERANCE);
    assert.ok(moved > 1000, `${moved} pixels of the scene changed while the keys were held`);
    assert.ok(after < 50, `${after} pixels changed after the fingers lifted`);
  });

  it('zooms in when two fingers spread', async () => {
    const near = litExtent(await phone.frame());
    assert.ok(near.maxX - near.minX > 200, `a cube to zoom: lit extent ${JSON.stringify(near)}`);
    await phone.touch([[412, 400], [612, 400]], [[362, 400], [662, 400]], [[312, 400], [712, 400]]);
    const nearer = litExtent(await phone.frame());
    assert.ok(nearer.maxX - nearer.minX > 1.2 * (near.maxX - near.minX),
              `width of the cube ${nearer.maxX - nearer.minX} px after, ${near.maxX - near.minX} px before`);
  });

  it('runs again from a reload with the network off', async () => {
    await phone.page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    await phone.networkOff();
    await phone.page.reload();
    await phone.running();
    assert.deepEqual(phone.errors, [], 'errors on the page');
  });
});

describe('Tessary in a browser without WebGL', () => {
  it('says that WebGL is missing, with the reason', async () => {
    const plain = await TessaryPage.open(WEB_BUILD, {args: ['--disable-webgl'], running: false});
    try {
      const said = await plain.page.waitForFunction(() => {
        const status = document.getElementById('status'), ended = document.getElementById('ended');
        if (getComputedStyle(ended).display !== 'none') return {text: ended.textContent};
        if (!/WebGL/.test(status.textContent)) return null;
        return {text: document.getElementById('status-text').textContent,
                reason: document.getElementById('status-reason').textContent};
      }, {timeout: 30000}).then((h) => h.jsonValue());
      assert.match(said.text, /WebGL/);
      assert.ok(said.reason, 'a technical reason beneath');
    } finally {
      await plain.close();
    }
  });
});
