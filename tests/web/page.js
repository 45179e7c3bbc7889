// The browser build in a page of headless Chromium: loading it, waiting for its frames, reading
// them, and real input at canvas coordinates through the DevTools protocol.
'use strict';
const {serve} = require('./serve.js');
const fs = require('node:fs');
const path = require('node:path');
const {launch, close} = require('./browser.js');

// The frame counters, put into every page before its own scripts run.
const FRAME_PROBE = fs.readFileSync(path.join(__dirname, 'frame_probe.js'), 'utf8');

class TessaryPage {
  static async open(root) {
    const self = new TessaryPage();
    self.server = await serve(root, 0);
    self.browser = await launch();
    self.page = await self.browser.newPage();
    self.errors = [];
    self.page.on('pageerror', (e) => self.errors.push(String(e)));
    self.page.on('console', (m) => { if (m.type() === 'error') self.errors.push(m.text()); });
    await self.page.evaluateOnNewDocument(FRAME_PROBE);
    self.url = `http://127.0.0.1:${self.server.address().port}/`;
    await self.page.goto(self.url);
    await self.page.waitForFunction(() => window.tessaryFrames && tessaryFrames.shown >= 2, {timeout: 60000});
    self.canvasBox = await self.page.evaluate(() => {
      const r = Module.canvas.getBoundingClientRect();
      return {left: r.left, top: r.top, width: r.width, height: r.height};
    });
    return self;
  }

  async close() {
    await close(this.browser);
    await new Promise((r) => this.server.close(r));
  }

  frames() { return this.page.evaluate(() => tessaryFrames.shown); }

  // Waits until `n` more frames have been shown, so that input sent before has been handled.
  async settle(n = 3) {
    const start = await this.frames();
    await this.page.waitForFunction((s, k) => tessaryFrames.shown >= s + k, {timeout: 30000}, start, n);
  }

  // The next frame the program shows, read from the drawing buffer, top row first.
  async frame() {
    const base64 = await this.page.evaluate(() => new Promise((resolve) => {
      tessaryFrames.onFrame = () => {
        tessaryFrames.onFrame = null;
        const gl = Module.canvas.getContext('webgl');
        const w = gl.drawingBufferWidth, h = gl.drawingBufferHeight;
        const pixels = new Uint8Array(w * h * 4);
        gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
        let s = '';
        for (let i = 0; i < pixels.length; i += 0x8000) s += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
        resolve(btoa(s));
      };
    }));
    const bottomUp = Buffer.from(base64, 'base64');
    const width = 1024, height = bottomUp.length / 4 / width;
    const rgba = Buffer.alloc(bottomUp.length);
    for (let y = 0; y < height; ++y)
      bottomUp.copy(rgba, y * width * 4, (height - 1 - y) * width * 4, (height - y) * width * 4);
    return {width, height, rgba};
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

  async move(x, y) { await this.page.mouse.move(this.canvasBox.left + x, this.canvasBox.top + y); }

  async type(text) {
    await this.page.keyboard.type(text, {delay: 30});
    await this.settle();
  }

  async press(key) {
    await this.page.keyboard.press(key);
    await this.settle();
  }
}

module.exports = {TessaryPage, FRAME_PROBE};
