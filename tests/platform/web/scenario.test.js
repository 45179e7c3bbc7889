// The browser build driven in headless Chromium with real input, checked as the desktop end-to-end
// tests check the desktop build, and its frames compared with the desktop build's frames of the
// same scenes (written by the desktop viewer tests): geometry within a few levels per channel, the
// text masked, since the browser and FreeType rasterise glyphs differently.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {TessaryPage} = require('./page.js');
const {readPng, writePng, pixel, compare, inkMask, PANEL_TEXT} = require('./frames.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../../build');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-web-frames-'));

// Control centres of the panel layout, and the answers of the message box.
const FIELD = [200, 25], BUTTON = [924, 35], CHECK_BOX = [410, 28];
const OK_ALONE = [512, 399], CANCEL = [572, 399];
const WHOLE = {x0: 0, y0: 0, x1: 1024, y1: 768};
const SCENE = {x0: 0, y0: 80, x1: 1024, y1: 690};
// Where the program writes text: the panel's, the message and the captions of the message box's buttons.
const TEXT = [...PANEL_TEXT, {x0: 0, y0: 280, x1: 1024, y1: 312}, {x0: 420, y0: 386, x1: 604, y1: 412}];
// Per-channel tolerance, and the share of compared pixels allowed past it: the ends and joins of
// wide lines and the filtered edges of the face labels fall a pixel differently.
const TOLERANCE = 3, ALLOWED_SHARE = 0.01;

let desktop;
let tessary;

// Of the 3-D area, in the frame's own pixels, which a high-DPI screen makes finer than the window's.
function litExtent(frame) {
  const scale = frame.width / 1024;
  let minX = frame.width, maxX = -1, minY = frame.height, maxY = -1;
  for (let y = Math.round(100 * scale); y < Math.round(680 * scale); ++y)
    for (let x = 0; x < frame.width; ++x)
      if (pixel(frame, x, y)[0] > 128) {
        minX = Math.min(minX, x); maxX = Math.max(maxX, x);
        minY = Math.min(minY, y); maxY = Math.max(maxY, y);
      }
  return {minX, maxX, minY, maxY};
}

function yellowPixels(frame) {
  let n = 0;
  for (let y = 250; y < 380; ++y)
    for (let x = 0; x < 1024; ++x) {
      const [r, g, b] = pixel(frame, x, y);
      n += r > 150 && g > 150 && b < 80;
    }
  return n;
}

// `printedText`: the scene carries text on its faces, which is masked where either frame has ink.
function expectLike(name, web, area = WHOLE, printedText = false) {
  writePng(path.join(OUT, `web-${name}.png`), web);
  let ink;
  if (printedText) {
    const a = inkMask(web), b = inkMask(desktop[name]);
    ink = a.map((v, i) => v | b[i]);
  }
  const {differing, compared} = compare(web, desktop[name], area, TEXT, TOLERANCE, ink);
  const share = differing / compared;
  assert.ok(share <= ALLOWED_SHARE,
            `${name}: ${differing} of ${compared} compared pixels differ by more than ${TOLERANCE} levels ` +
            `(${(share * 100).toFixed(2)} %, at most ${ALLOWED_SHARE * 100} % expected); frames in ${OUT}`);
}

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
    // The desktop build's frames of the same scenes, from its own viewer tests.
    execFileSync(path.join(DESKTOP_BUILD, 'test_hypercube'),
                 ['--gtest_filter=ViewerTest.Starts*:ViewerTest.TheThreeCube*:ViewerTest.FacesMode*:ViewerTest.NineAsks*'],
                 {env: {...process.env, TESSARY_SAVE_FRAMES: OUT, SDL_VIDEODRIVER: 'offscreen'}, stdio: 'ignore'});
    desktop = {};
    for (const name of ['start-screen', 'three-cube', 'three-cube-faces', 'message-box-nine'])
      desktop[name] = readPng(path.join(OUT, `${name}.png`));
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

  it('shows the start panel as the desktop does', async () => {
    expectLike('start-screen', await tessary.frame());
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

  it("refuses '9' over the dimmed scene and OK closes the message", async () => {
    await replaceField('9');
    await tessary.click(...BUTTON);
    const asking = await tessary.frame();
    expectLike('message-box-nine', asking);
    await tessary.click(...OK_ALONE);
    assert.equal(yellowPixels(await tessary.frame()), 0, 'no message after OK');
  });

  it('refuses an empty field with the same message', async () => {
    await replaceField('');
    await tessary.click(...BUTTON);
    assert.ok(yellowPixels(await tessary.frame()) > 100, 'the message is shown');
    await tessary.click(...OK_ALONE);
    assert.equal(yellowPixels(await tessary.frame()), 0);
  });

  it("asks before building '7' and Cancel keeps the 3-cube", async () => {
    await replaceField('7');
    await tessary.click(...BUTTON);
    assert.ok(yellowPixels(await tessary.frame()) > 100, 'the question is shown');
    await tessary.click(...CANCEL);
    expectLike('three-cube', await tessary.frame());
  });

  it('draws faces mode as the desktop does', async () => {
    await tessary.click(...CHECK_BOX);
    expectLike('three-cube-faces', await tessary.frame(), SCENE, true);
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

  it('turns the cube while two digits are held', async () => {
    const before = await tessary.frame();
    await tessary.page.keyboard.down('Digit0');
    await tessary.page.keyboard.down('Digit1');
    await new Promise((r) => setTimeout(r, 600));
    await tessary.page.keyboard.up('Digit1');
    await tessary.page.keyboard.up('Digit0');
    await tessary.settle();
    const after = await tessary.frame();
    const {differing} = compare(before, after, SCENE, [], TOLERANCE);
    assert.ok(differing > 1000, `${differing} pixels of the scene changed`);
  });

  it('zooms out when the wheel turns towards the user', async () => {
    await tessary.click(...CHECK_BOX); // back to the wireframe, whose extent is its edges
    const near = litExtent(await tessary.frame());
    await tessary.move(512, 400);
    for (let i = 0; i < 5; ++i) await tessary.page.mouse.wheel({deltaY: 100});
    await tessary.settle();
    const far = litExtent(await tessary.frame());
    assert.ok(far.maxX - far.minX < near.maxX - near.minX,
              `width of the cube ${far.maxX - far.minX} px after, ${near.maxX - near.minX} px before`);
  });

  it('lets go of held keys when the canvas loses the focus', async () => {
    await tessary.page.keyboard.down('Digit0');
    await tessary.page.keyboard.down('Digit1');
    await tessary.settle();
    await tessary.page.evaluate(() => Module.canvas.blur());
    await tessary.page.keyboard.up('Digit1'); // heard by the page, not by the canvas
    await tessary.page.keyboard.up('Digit0');
    await tessary.page.evaluate(() => Module.canvas.focus());
    await tessary.settle();
    const first = await tessary.frame();
    await new Promise((r) => setTimeout(r, 300));
    const later = await tessary.frame();
    const {differing} = compare(first, later, SCENE, [], TOLERANCE);
    assert.ok(differing < 50, `${differing} pixels of the scene changed after the keys were let go`);
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
    assert.equal(await tessary.page.evaluate(() => Module.pendingInput.length), 0, 'input queued after the end');
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
