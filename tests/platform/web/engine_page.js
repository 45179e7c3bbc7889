// The browser build in a page of any engine of engines.js: loading it with the frame counters,
// waiting for its frames, reading them, and input at canvas coordinates as a hand gives it.
'use strict';
const {serve} = require('./serve.js');
const {FRAME_PROBE} = require('./page.js');
const {ENGINES} = require('./engines.js');
const {nextFrameInPage, decodeFrame} = require('./canvas_frame.js');

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The page's uncaught errors and its console errors (the program's standard error), in
// window.tessaryErrors from before its own scripts run.
const ERROR_PROBE = `window.tessaryErrors = [];
window.addEventListener('error', function (e) { tessaryErrors.push(String(e.message)); });
(function (log) {
  console.error = function () { tessaryErrors.push(Array.prototype.join.call(arguments, ' ')); return log.apply(console, arguments); };
})(console.error);`;

// Both, as one script for the head of every page the tests serve.
const PROBES = FRAME_PROBE + ERROR_PROBE;

class EnginePage {
  // The page served from `root` in engine `name` (chromium, firefox or webkit), once it runs;
  // `language`: the reader's preferred language (engines.js's default when not given), `query`: the
  // page address's query, such as '?lang=en'.
  static async open(name, root, {language, query = ''} = {}) {
    const self = new EnginePage();
    // The counters go into the page itself: WebDriver classic has no way to add a script before
    // the page's own.
    self.server = await serve(root, 0, {headScript: PROBES});
    try {
      self.driver = await ENGINES[name](language);
      await self.driver.open(`http://127.0.0.1:${self.server.address().port}/${query}`);
      await self.waitFor(() => window.tessaryFrames && tessaryFrames.shown >= 2, 60000);
      const box = await self.evaluate(() => {
        const r = Module.canvas.getBoundingClientRect();
        return {left: r.left, top: r.top, width: r.width, height: r.height};
      });
      self.canvasBox = box;
      self.scale = box.width / 1024;
    } catch (e) {
      await self.close();
      throw e;
    }
    return self;
  }

  async close() {
    if (this.driver) await this.driver.close();
    this.server.closeAllConnections();
    await new Promise((r) => this.server.close(r));
  }

  evaluate(fn, ...args) { return this.driver.evaluate(fn, ...args); }

  errors() { return this.evaluate(() => tessaryErrors); }

  // Polls `fn` in the page until it gives a true value, which is returned.
  async waitFor(fn, timeout = 30000, ...args) {
    const until = Date.now() + timeout;
    for (;;) {
      const value = await this.evaluate(fn, ...args);
      if (value) return value;
      if (Date.now() > until) throw new Error(`waited ${timeout} ms for ${fn}`);
      await sleep(20);
    }
  }

  frames() { return this.evaluate(() => tessaryFrames.shown); }

  // Waits until `n` more frames have been shown, so that input sent before has been handled.
  async settle(n = 3) {
    const start = await this.frames();
    await this.waitFor((s, k) => tessaryFrames.shown >= s + k, 30000, start, n);
  }

  async frame() { return decodeFrame(await this.evaluate(nextFrameInPage)); }

  // A canvas pixel as a page position.
  at(x, y) { return {x: this.canvasBox.left + x * this.scale, y: this.canvasBox.top + y * this.scale}; }

  async move(x, y) {
    const p = this.at(x, y);
    await this.driver.pointerMove(p.x, p.y);
  }

  // The pointer arrives, and only then the button goes down and up.
  async click(x, y) {
    await this.move(x, y);
    await this.settle(2);
    await this.driver.pointerDown();
    await this.driver.pointerUp();
    await this.settle();
  }

  async press(code) {
    await this.driver.keyDown(code);
    await this.driver.keyUp(code);
  }

  // Digits typed one by one on the digit row.
  async type(digits) {
    for (const d of digits) await this.press(`Digit${d}`);
    await this.settle();
  }

  // `codes` held down together for `ms`, let go in the reverse order.
  async hold(codes, ms) {
    for (const c of codes) await this.driver.keyDown(c);
    await sleep(ms);
    for (const c of [...codes].reverse()) await this.driver.keyUp(c);
  }

  async wheel(x, y, deltaY) {
    const p = this.at(x, y);
    await this.driver.wheel(p.x, p.y, deltaY);
  }
}

module.exports = {EnginePage, PROBES};
