// The browser build in a page of headless Chromium: loading it, waiting for its frames, reading
// them, and real input at canvas coordinates through the DevTools protocol.
'use strict';
const {serve} = require('./serve.js');
const fs = require('node:fs');
const path = require('node:path');
const {launch, close} = require('./browser.js');
const {nextFrameInPage, decodeFrame} = require('./canvas_frame.js');

// The frame counters, put into every page before its own scripts run.
const FRAME_PROBE = fs.readFileSync(path.join(__dirname, 'frame_probe.js'), 'utf8');
// How to wait for the probe's counts: every so many milliseconds. Puppeteer's default polls at
// each animation frame by requestAnimationFrame, which the probe would count as a frame shown.
const BY_TIMER = {polling: 20};

// Waits until the program in `target` (a page or a frame) has shown `n` more frames, so that input
// sent before has been handled.
async function settle(target, n = 3) {
  const start = await target.evaluate(() => tessaryFrames.shown);
  try {
    await target.waitForFunction((s, k) => tessaryFrames.shown >= s + k, {...BY_TIMER, timeout: 30000}, start, n);
  } catch (e) {
    const now = await target.evaluate(() => ({shown: tessaryFrames.shown, waiting: Module.input ? Module.input.pending() : 0}));
    throw new Error(`expected ${n} more frames shown within 30 s, saw ${now.shown - start}; ` +
                    `${now.waiting} input records wait in the queue`);
  }
}

class TessaryPage {
  // `viewport`: a puppeteer viewport to load the page in (a phone's, with touch); `args`: more
  // Chromium switches; `running`: false to return once the page has loaded, program or not.
  static async open(root, {viewport, args = [], running = true} = {}) {
    const self = new TessaryPage();
    self.server = await serve(root, 0);
    self.browser = await launch(args);
    self.page = await self.browser.newPage();
    if (viewport) await self.page.setViewport(viewport);
    self.errors = [];
    self.page.on('pageerror', (e) => self.errors.push(String(e)));
    self.page.on('console', (m) => { if (m.type() === 'error') self.errors.push(m.text()); });
    await self.page.evaluateOnNewDocument(FRAME_PROBE);
    self.url = `http://127.0.0.1:${self.server.address().port}/`;
    await self.page.goto(self.url);
    if (running) await self.running();
    return self;
  }

  // Waits for the program's first frames and notes where the canvas is on the page.
  async running() {
    await this.page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {...BY_TIMER, timeout: 60000});
    await this.measure();
  }

  // Where the canvas is now, and its scale: page pixels per canvas pixel.
  async measure() {
    this.canvasBox = await this.page.evaluate(() => {
      const r = Module.canvas.getBoundingClientRect();
      return {left: r.left, top: r.top, width: r.width, height: r.height};
    });
    this.scale = this.canvasBox.width / 1024;
  }

  // The page at another size, as a resized window or a turned phone.
  async resize(viewport) {
    await this.page.setViewport(viewport);
    await this.page.waitForFunction((w) => window.innerWidth === w, {}, viewport.width);
    await this.settle(2);
    await this.measure();
  }

  async close() {
    await close(this.browser);
    await this.networkOff();
  }

  // Stops the page's server, as if the network had gone.
  async networkOff() {
    this.server.closeAllConnections();
    await new Promise((r) => this.server.close(r));
  }

  async settle(n = 3) { await settle(this.page, n); }

  // The next frame the program shows, read from the drawing buffer (as many pixels as it has), top
  // row first.
  async frame() {
    return decodeFrame(await this.page.evaluate(nextFrameInPage));
  }

  // As a hand would: the pointer arrives, and only then the button goes down and up. A pointer that
  // jumps and presses within one frame would orbit the camera by the whole jump.
  async click(x, y, button = 'left') {
    await this.move(x, y);
    await this.settle(2);
    await this.page.mouse.down({button});
    await this.page.mouse.up({button});
    await this.settle();
  }

  // A canvas pixel as a page position.
  at(x, y) { return {x: this.canvasBox.left + x * this.scale, y: this.canvasBox.top + y * this.scale}; }

  async move(x, y) {
    const p = this.at(x, y);
    await this.page.mouse.move(p.x, p.y);
  }

  // A finger, through the DevTools protocol as a touch screen sends it: `points` are lists of
  // canvas pixels, one per finger, for each step of the gesture; the fingers lift after the last.
  async touch(...steps) {
    const client = await this.cdp();
    const points = (step) => step.map(([x, y], id) => ({...this.at(x, y), id}));
    await client.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: points(steps[0])});
    await this.settle(2);
    for (const step of steps.slice(1)) {
      await client.send('Input.dispatchTouchEvent', {type: 'touchMove', touchPoints: points(step)});
      await this.settle(1);
    }
    await client.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    await this.settle();
  }

  async tap(x, y) { await this.touch([[x, y]]); }

  async cdp() {
    if (!this.session) this.session = await this.page.createCDPSession();
    return this.session;
  }

  async type(text) {
    await this.page.keyboard.type(text, {delay: 30});
    await this.settle();
  }

  async press(key) {
    await this.page.keyboard.press(key);
    await this.settle();
  }
}

module.exports = {TessaryPage, FRAME_PROBE, BY_TIMER, settle};
