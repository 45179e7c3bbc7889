// The view buttons and links of the page in headless Chromium, each picture compared with the
// desktop program's picture of the same view (tessary --render --panel --view): geometry within a
// few levels per channel, the text masked, since the browser and FreeType rasterise glyphs
// differently.
'use strict';
const {describe, it, before, after} = require('node:test');
const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {TessaryPage} = require('./page.js');
const {readPng, writePng, compare, inkMask, PANEL_TEXT} = require('./frames.js');
const {OK_ALONE} = require('./desktop_scenes.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-web-views-'));
const DOWNLOADS = path.join(OUT, 'downloads');

const FIELD = [200, 25], BUTTON = [924, 35], CHECK_BOX = [410, 28];
const WHOLE = {x0: 0, y0: 0, x1: 1024, y1: 768};
const TOLERANCE = 3, ALLOWED_SHARE = 0.01;
const UNREADABLE = '无法读取链接中的视图，程序已照常启动。';
const UNREADABLE_NOW = '无法读取链接中的视图。', BOX_OPEN = '请先关闭对话框，再打开链接中的视图。';


let tessary;

// The desktop program's window picture of `view` (none: the start screen), drawn once per name.
function desktopFrame(name, view) {
  const file = path.join(OUT, `desktop-${name}.png`);
  if (!fs.existsSync(file))
    execFileSync(path.join(DESKTOP_BUILD, 'tessary'), ['--render', file, '--panel', ...(view ? ['--view', view] : [])],
                 {env: {...process.env, SDL_VIDEODRIVER: 'offscreen'}, stdio: 'pipe'});
  return readPng(file);
}

// `printedText`: the scene carries text on its faces, which is masked where either frame has ink.
function expectLike(name, web, desktop, printedText = false) {
  writePng(path.join(OUT, `web-${name}.png`), web);
  let ink;
  if (printedText) {
    const desktopInk = inkMask(desktop);
    ink = inkMask(web).map((v, i) => v | desktopInk[i]);
  }
  const {differing, compared} = compare(web, desktop, WHOLE, PANEL_TEXT, TOLERANCE, ink);
  assert.ok(differing / compared <= ALLOWED_SHARE,
            `${name}: ${differing} of ${compared} compared pixels differ by more than ${TOLERANCE} levels ` +
            `(at most ${ALLOWED_SHARE * 100} % expected); frames in ${OUT}`);
}

const viewOf = (link) => decodeURIComponent(new URL(link).hash.replace(/^#view=/, ''));

// The line over the canvas, once it says `text` (it stands for a few seconds only), and the reason
// beneath it.
async function expectNotice(text, reason = '') {
  const shown = () => tessary.page.$eval('#view-notice', (e) => (e.style.display === 'none' ? {} : {
    line: e.firstChild && e.firstChild.textContent, reason: e.querySelector('small')?.textContent || ''}));
  await tessary.page.waitForFunction((t) => {
    const e = document.getElementById('view-notice');
    return e.firstChild && e.firstChild.textContent === t && e.style.display !== 'none';
  }, {timeout: 10000}, text).catch(() => {});
  assert.deepEqual(await shown(), {line: text, reason}, 'the line over the canvas');
}

// The desktop program's reason for refusing `view` on its command line.
function desktopRefusal(view) {
  try {
    execFileSync(path.join(DESKTOP_BUILD, 'tessary'), ['--view', view], {stdio: 'pipe'});
  } catch (e) {
    return e.stderr.toString().trim().replace(/^tessary: --view: /, '');
  }
  throw new Error(`the desktop program took --view ${view}`);
}

// The link "分享" copies: Chromium on Linux has no share sheet, so it goes to the clipboard.
async function sharedLink() {
  await tessary.page.evaluate(() => navigator.clipboard.writeText(''));
  await tessary.page.click('#share');
  await expectNotice('链接已复制到剪贴板。');
  return tessary.page.evaluate(() => navigator.clipboard.readText());
}

// A new page load of `link`, as a link opened in a new tab.
async function open(link) {
  await tessary.page.goto('about:blank');
  await tessary.page.goto(link);
  await tessary.running();
}

async function savedPicture() {
  fs.rmSync(DOWNLOADS, {recursive: true, force: true});
  fs.mkdirSync(DOWNLOADS);
  await tessary.page.click('#save-picture');
  for (let waited = 0; waited < 30000; waited += 100) {
    const png = fs.readdirSync(DOWNLOADS).find((f) => f.endsWith('.png'));
    if (png) return readPng(path.join(DOWNLOADS, png));
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error('no PNG was saved within 30 s');
}

describe('Views on the page', () => {
  before(async () => {
    tessary = await TessaryPage.open(WEB_BUILD);
    const browser = tessary.browser;
    await browser.defaultBrowserContext().overridePermissions(tessary.url.replace(/\/$/, ''),
                                                               ['clipboard-read', 'clipboard-sanitized-write']);
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: DOWNLOADS});
  });
  after(async () => {
    if (tessary) await tessary.close();
  });

  let threeCube;
  it('"保存图片" saves the frame at the drawing buffer\'s size, the 3-cube\'s edges where the desktop draws them',
     async () => {
       await tessary.click(...FIELD);
       await tessary.type('3');
       await tessary.click(...BUTTON);
       threeCube = viewOf(await sharedLink());
       assert.match(threeCube, /^v1\.3w\./);
       const saved = await savedPicture();
       assert.deepEqual([saved.width, saved.height], [1024, 768], 'picture size');
       expectLike('three-cube', saved, desktopFrame('three-cube', threeCube));
     });

  let link;
  it('a shared link opens in its view, as tessary --view shows it', async () => {
    await tessary.click(...CHECK_BOX);
    await tessary.click(...FIELD);
    await tessary.page.keyboard.press('Backspace');
    await tessary.type('4');
    await tessary.click(...BUTTON);
    for (const [a, b, ms] of [['Digit0', 'Digit3', 500], ['Digit1', 'Digit2', 300]]) {
      await tessary.page.keyboard.down(a);
      await tessary.page.keyboard.down(b);
      await new Promise((r) => setTimeout(r, ms));
      await tessary.page.keyboard.up(b);
      await tessary.page.keyboard.up(a);
    }
    link = await sharedLink();
    assert.match(viewOf(link), /^v1\.4f\./);
    await open(link);
    expectLike('turned-four-cube', await tessary.frame(), desktopFrame('turned-four-cube', viewOf(link)), true);
  });

  it('the share link of an opened link holds the same view', async () => {
    assert.equal(viewOf(await sharedLink()), viewOf(link));
  });

  it('a new fragment on the open page shows its view', async () => {
    await tessary.page.evaluate((view) => { location.hash = 'view=' + view; }, threeCube);
    await tessary.settle(2);
    expectLike('three-cube-by-fragment', await tessary.frame(), desktopFrame('three-cube', threeCube));
  });

  it('a link whose view cannot be read says so over the canvas with the program\'s reason, and the program starts ' +
     'as usual', async () => {
    await open(tessary.url + '#view=v1.9x.not-a-view');
    await expectNotice(UNREADABLE, desktopRefusal('v1.9x.not-a-view'));
    expectLike('unreadable-link', await tessary.frame(), desktopFrame('start'));
  });

  it('a new fragment the program refuses says why, by the kind of refusal, with the program\'s reason', async () => {
    const hash = (view) => tessary.page.evaluate((v) => { location.hash = 'view=' + v; }, view);
    await hash('v1.9x.still-not-a-view');
    await expectNotice(UNREADABLE_NOW, desktopRefusal('v1.9x.still-not-a-view'));
    await tessary.click(...FIELD);
    await tessary.type('9');
    await tessary.click(...BUTTON); // the program's message box refusing 9
    await hash(threeCube);
    await expectNotice(BOX_OPEN, 'a message box is open');
    await tessary.click(...OK_ALONE);
    await hash(threeCube + '.');
    await expectNotice(UNREADABLE_NOW, desktopRefusal(threeCube + '.'));
  });
});
