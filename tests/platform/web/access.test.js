// The page for everyone, in headless Chromium: what a screen reader is told, the page's own
// controls by keyboard, and the page inside another site's page.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {TessaryPage, FRAME_PROBE, BY_TIMER, settle: settleIn} = require('./page.js');
const {serve} = require('./serve.js');
const {launch, close} = require('./browser.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const FIELD = [200, 25], BUTTON = [924, 35], OK_ALONE = [512, 399];

// The program's state as the page reads it (page/PageState.h), in `frame`.
const programState = (frame) => frame.evaluate(() => JSON.parse(Module.UTF8ToString(Module._tessary_page_state())));
// The program's own text for building `n`: its question (7, 8) or its refusal (outside 3 to 8).
const programText = (frame, n) =>
  frame.evaluate((k) => JSON.parse(Module.UTF8ToString(Module._tessary_dimension_question(k))).text, n);
const said = (frame) => frame.$eval('#announce', (e) => e.textContent);
// Waits until the live region says `text`.
async function hears(frame, text) {
  try {
    await frame.waitForFunction((t) => document.getElementById('announce').textContent.includes(t), {timeout: 10000},
                                text);
  } catch (e) {
    assert.fail(`expected the live region to say "${text}", it says "${await said(frame)}"`);
  }
}

describe('The page by keyboard and by ear', () => {
  let tessary;
  before(async () => { tessary = await TessaryPage.open(WEB_BUILD); });
  after(async () => {
    if (tessary) await tessary.close();
  });

  it('shows assistive technology an application named with the title and described by its controls', async () => {
    const client = await tessary.page.target().createCDPSession();
    const {nodes} = await client.send('Accessibility.getFullAXTree');
    const canvas = nodes.find((n) => n.role && n.role.value === 'application');
    assert.ok(canvas, `no node with the role application among ${nodes.length}`);
    assert.equal(canvas.name.value, 'QV作品---Tessary');
    const description = (canvas.description || {}).value || '';
    for (const part of ['马上生成', '线框渲染', '0 是 X', '3 是 W', 'Shift', '滚轮', 'Escape', 'Tab'])
      assert.ok(description.includes(part), `"${part}" missing from the description "${description}"`);
    const buttons = nodes.filter((n) => n.role && n.role.value === 'button').map((n) => n.name && n.name.value);
    for (const name of ['保存图片', '保存 SVG', '保存 PDF'])
      assert.ok(buttons.includes(name), `no button named "${name}" among ${JSON.stringify(buttons)}`);
  });

  it('reaches every page control with Tab, each at least 44 px square, visible and with a focus ring', async () => {
    await tessary.page.evaluate(() => Module.canvas.focus());
    const reached = [];
    for (let i = 0; i < 18; ++i) {
      await tessary.page.keyboard.press('Tab');
      reached.push(await tessary.page.evaluate(() => {
        const e = document.activeElement, r = e.getBoundingClientRect(), style = getComputedStyle(e);
        return {tag: e.tagName, what: e.dataset.dimension || (e.dataset.faces !== undefined ? 'faces' : e.textContent.trim()),
                control: !!e.closest('#controls'), width: r.width, height: r.height,
                inView: r.top >= 0 && r.bottom <= innerHeight, ring: style.outlineStyle !== 'none'};
      }));
    }
    const names = reached.map((r) => r.what);
    for (const want of ['3', '4', '5', '6', '7', '8', 'faces', '保存图片', '保存 SVG', '保存 PDF', '分享', 'Arphic Public License', 'Apache-2.0 或 GPL-3', 'GPL-2'])
      assert.ok(names.includes(want), `Tab reached ${JSON.stringify(names)}, not ${want}`);
    for (const r of reached.filter((r) => r.control))
      assert.ok(r.width >= 44 && r.height >= 44 && r.inView && r.ring, `page control ${JSON.stringify(r)}`);
    const controls = reached.filter((r) => r.tag === 'A' || r.tag === 'BUTTON');
    assert.ok(controls.every((r) => r.ring), `focus rings: ${JSON.stringify(controls)}`);
  });

  it('builds the 4-cube from the page control "4", says so, and shows 4 in the field', async () => {
    await tessary.page.focus('[data-dimension="4"]');
    await tessary.page.keyboard.press('Enter');
    await hears(tessary.page, '4 维超立方体：16 个顶点，32 条边，24 个面');
    assert.equal(await tessary.page.evaluate(() => document.activeElement.id), 'canvas',
                 'the window, which draws nothing without the keyboard, did not get it back');
    // The button reads the field: 4 there builds the same cube, an empty field would be refused.
    await tessary.click(...BUTTON);
    const state = await programState(tessary.page);
    assert.deepEqual([state.dimension, state.message], [4, null], JSON.stringify(state));
  });

  it('asks before "8" in a page dialog that keeps the focus, and Escape (Cancel) leaves the cube', async () => {
    await tessary.page.focus('[data-dimension="8"]');
    await tessary.page.keyboard.press('Space');
    const dialog = async () => tessary.page.$eval('#ask', (d) => ({
      open: d.open, text: d.textContent, inside: d.contains(document.activeElement),
      buttons: [...d.querySelectorAll('button')].map((b) => [b.textContent, b.offsetWidth >= 44 && b.offsetHeight >= 44]),
    }));
    const asked = await dialog();
    assert.ok(asked.open && asked.text.includes(await programText(tessary.page, 8)), JSON.stringify(asked));
    assert.deepEqual(asked.buttons, [['确定', true], ['取消', true]]);
    for (let i = 0; i < 3; ++i) await tessary.page.keyboard.press('Tab');
    assert.ok((await dialog()).inside, 'Tab left the open dialog');
    await tessary.page.keyboard.press('Escape');
    await tessary.settle();
    const state = await programState(tessary.page);
    assert.equal((await dialog()).open, false);
    assert.equal(state.dimension, 4, 'Cancel built the 8-cube');
    assert.ok(await tessary.page.evaluate(() => getComputedStyle(document.getElementById('ended')).display === 'none'),
              'Escape ended the program');
  });

  it('gives the keys back on a click on the canvas after a click on the page beside it', async () => {
    const box = tessary.canvasBox;
    await tessary.page.mouse.click(box.left + box.width + 10, box.top + box.height / 2);
    assert.equal(await tessary.page.evaluate(() => document.activeElement.tagName), 'BODY');
    await tessary.move(512, 600);
    await tessary.page.mouse.down();
    await tessary.page.mouse.up();
    await tessary.settle();
    await tessary.page.keyboard.down('Digit0');
    await tessary.page.keyboard.down('Digit2');
    await tessary.settle();
    const {plane} = await programState(tessary.page);
    await tessary.page.keyboard.up('Digit2');
    await tessary.page.keyboard.up('Digit0');
    assert.deepEqual(plane, [0, 2], 'held digits 0 and 2 after the click back');
  });

  it('says the refusal of a typed 9, and a turn starting in a plane and stopping', async () => {
    await tessary.click(...FIELD);
    for (let i = 0; i < 3; ++i) await tessary.page.keyboard.press('Backspace');
    await tessary.type('9');
    await tessary.click(...BUTTON);
    await hears(tessary.page, await programText(tessary.page, 9));
    await tessary.click(...OK_ALONE);
    await tessary.page.keyboard.down('Digit3');
    await tessary.page.keyboard.down('Digit0');
    await hears(tessary.page, '正在 X–W 平面内旋转');
    await tessary.page.keyboard.up('Digit0');
    await tessary.page.keyboard.up('Digit3');
    await hears(tessary.page, '停止旋转');
    assert.deepEqual(tessary.errors, [], 'errors on the page');
  });
});

// A course page of another origin (another port on 127.0.0.1), tall enough to scroll, with the
// page embedded as docs/browser-access.md says.
const HOST_PAGE = (src) => `<!DOCTYPE html><meta charset="utf-8"><title>课程</title>
<p id="before" style="height: 120px">课程正文</p>
<iframe src="${src}" width="640" height="480" allow="fullscreen; clipboard-write; web-share"></iframe>
<p style="height: 3000px">更多正文</p>`;

describe('The page inside another page', () => {
  let servers, browser, page, frame, box;
  // A point of the program's window as a position on the host page.
  const at = (x, y) => ({x: box.left + x * box.width / 1024, y: box.top + y * box.height / 768});
  const settle = (n) => settleIn(frame, n);
  const click = async (x, y) => {
    await page.mouse.move(at(x, y).x, at(x, y).y);
    await settle(2);
    await page.mouse.down();
    await page.mouse.up();
    await settle();
  };
  const turning = async (a, b) => {
    await page.keyboard.down(a);
    await page.keyboard.down(b);
    await settle();
    const state = await programState(frame);
    await page.keyboard.up(b);
    await page.keyboard.up(a);
    await settle();
    return state.plane;
  };

  before(async () => {
    const hostRoot = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-host-'));
    servers = [await serve(WEB_BUILD, 0), await serve(hostRoot, 0)];
    fs.writeFileSync(path.join(hostRoot, 'index.html'),
                     HOST_PAGE(`http://127.0.0.1:${servers[0].address().port}/index.html?embed`));
    browser = await launch();
    page = await browser.newPage();
    await page.evaluateOnNewDocument(FRAME_PROBE);
    await page.goto(`http://127.0.0.1:${servers[1].address().port}/`);
    frame = await (await page.$('iframe')).contentFrame();
    await frame.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {...BY_TIMER, timeout: 60000});
    // The layout settles once the fonts have loaded.
    await frame.waitForFunction(() => Module.canvas.getBoundingClientRect().width === 640, {timeout: 5000}).catch(() => {});
    const inFrame = await frame.evaluate(() => {
      const r = Module.canvas.getBoundingClientRect();
      return {left: r.left, top: r.top, width: r.width, height: r.height};
    });
    const frameBox = await page.$eval('iframe', (f) => {
      const r = f.getBoundingClientRect();
      return {left: r.left + f.clientLeft, top: r.top + f.clientTop};
    });
    box = {...inFrame, left: frameBox.left + inFrame.left, top: frameBox.top + inFrame.top};
  });
  after(async () => {
    if (browser) await close(browser);
    for (const server of servers || []) {
      server.closeAllConnections();
      await new Promise((r) => server.close(r));
    }
  });

  it('fills the frame at 4:3 with the canvas', () => {
    assert.deepEqual([box.width, box.height], [640, 480], JSON.stringify(box));
  });

  it('leaves a wheel before any click to the host page, which scrolls, and says to click first', async () => {
    await page.mouse.move(at(512, 400).x, at(512, 400).y);
    await page.mouse.wheel({deltaY: 200});
    await page.waitForFunction(() => scrollY > 0, {timeout: 5000}).catch(() => {});
    const scrolled = await page.evaluate(() => scrollY);
    const hint = await frame.$eval('#wheel-hint', (e) => getComputedStyle(e).display);
    await page.evaluate(() => scrollTo(0, 0));
    assert.ok(scrolled > 0, `the host page scrolled by ${scrolled} px`);
    assert.equal(hint, 'block', 'no line saying to click first');
  });

  it('builds the 4-cube from a click, typed 4 and the button, turns it by held digits and zooms', async () => {
    await click(...FIELD);
    for (let i = 0; i < 3; ++i) await page.keyboard.press('Backspace');
    await page.keyboard.type('4');
    await click(...BUTTON);
    assert.equal((await programState(frame)).dimension, 4);
    assert.deepEqual(await turning('Digit0', 'Digit1'), [0, 1], 'held digits 0 and 1 turn nothing');
    await page.mouse.move(at(512, 400).x, at(512, 400).y);
    await page.mouse.wheel({deltaY: -100});
    await settle();
    assert.equal(await page.evaluate(() => scrollY), 0, 'the wheel scrolled the host page after the click');
  });

  // Without the keyboard the program draws nothing and looks at its input every 300 ms; the press
  // on the canvas gives the keyboard back, and the frames go on.
  it('gives the keys back on a click on the canvas after a click on the host page', async () => {
    await page.mouse.click(300, 40); // the course's text
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'BODY');
    await page.mouse.move(at(512, 600).x, at(512, 600).y);
    await page.mouse.down();
    await page.mouse.up();
    await settle();
    assert.deepEqual(await turning('Digit0', 'Digit2'), [0, 2], 'held digits 0 and 2 after the click back');
  });
});
