// The browser build embedded in a page of another origin, as an author embeds it, in any engine of
// engines.js. The host page (port of its own on 127.0.0.1, so another origin) holds the page in an
// iframe of 1024 × 768 with the allow list of the README, a second frame of its own beside it, and
// keeps every message the page sends it in `received`; `element.html` holds <tessary-view> instead.
// HostedPage is an EnginePage whose evaluate() and input reach the program inside the frame, and
// whose host() runs in the host page.
'use strict';
const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');
const {serve} = require('./serve.js');
const {EnginePage, PROBES} = require('./engine_page.js');
const {ENGINES} = require('./engines.js');

const ALLOW = 'fullscreen; clipboard-write; web-share';

const hostPage = (tessary) => `<!DOCTYPE html><html><head><meta charset="utf-8"><title>host</title></head>
<body style="margin:0">
<iframe id="tessary" src="${tessary}/index.html?embed" width="1024" height="768" style="border:0;display:block"
        allow="${ALLOW}" title="QV作品---Tessary"></iframe>
<iframe id="other" width="100" height="20" srcdoc="<p>another frame</p>"></iframe><button id="host-button">host</button>
<script>
window.received = [];
const frame = document.getElementById('tessary');
addEventListener('message', (e) => { if (e.source === frame.contentWindow) received.push(e.data); });
// A request to the page; the other frame sends one too, which the page must not take.
window.ask = (m) => frame.contentWindow.postMessage(m, '${tessary}');
window.askFromOther = (m) => document.getElementById('other').contentWindow.eval(
  'parent.frames[0].postMessage(' + JSON.stringify(m) + ', "*")');
</script></body></html>`;

const elementPage = (tessary) => `<!DOCTYPE html><html><head><meta charset="utf-8"><title>element</title>
<script type="module" src="/tessary-embed.js"></script></head>
<body style="margin:0">
<tessary-view id="cube" src="${tessary}/index.html" lang="en" style="width:1024px">
  <a href="${tessary}/index.html">Tessary</a></tessary-view>
<script type="module">
window.changes = [];
const cube = document.getElementById('cube');
cube.addEventListener('viewchange', (e) => changes.push(e.detail.view));
cube.addEventListener('ready', () => { window.elementReady = true; });
</script></body></html>`;

// The host's server: the two pages, and the element's module as the author ships it beside them.
function serveHost(root, tessary) {
  const pages = {'/': hostPage(tessary), '/element.html': elementPage(tessary)};
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    if (url.pathname === '/tessary-embed.js') {
      response.writeHead(200, {'Content-Type': 'text/javascript'});
      response.end(fs.readFileSync(path.join(root, 'tessary-embed.js')));
    } else if (pages[url.pathname]) {
      response.writeHead(200, {'Content-Type': 'text/html; charset=utf-8'});
      response.end(pages[url.pathname]);
    } else {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

class HostedPage extends EnginePage {
  // The host page (`page`: '/' or '/element.html') in engine `name`, once the program in its frame
  // runs; `script` goes into the embedded page's head after the tests' probes.
  static async open(name, root, page = '/', script = '') {
    const self = new HostedPage();
    self.server = await serve(root, 0, {headScript: PROBES + script});
    self.origin = `http://127.0.0.1:${self.server.address().port}`;
    self.hostServer = await serveHost(root, self.origin);
    try {
      self.driver = await ENGINES[name]();
      self.engine = name;
      await self.driver.open(`http://127.0.0.1:${self.hostServer.address().port}${page}`);
      await self.waitFor(() => window.tessaryFrames && tessaryFrames.shown >= 2, 60000);
      const inFrame = await self.evaluate(() => {
        const r = Module.canvas.getBoundingClientRect();
        return {left: r.left, top: r.top, width: r.width};
      });
      const frameAt = await self.host(() => {
        const r = (document.getElementById('tessary') ||
                   document.getElementById('cube').shadowRoot.querySelector('iframe')).getBoundingClientRect();
        return {left: r.left, top: r.top};
      });
      self.canvasBox = self.driver.page ? {left: frameAt.left + inFrame.left, top: frameAt.top + inFrame.top}
                                        : {left: inFrame.left, top: inFrame.top};
      self.scale = inFrame.width / 1024;
    } catch (e) {
      await self.close();
      throw e;
    }
    return self;
  }

  // The host page (`page`) loaded again, as a new visit: the embedded page starts afresh, in the
  // same browser.
  async reload(page = '/') {
    this.inFrame = undefined;
    await this.driver.open(`http://127.0.0.1:${this.hostServer.address().port}${page}`);
    await this.waitFor(() => window.tessaryFrames && tessaryFrames.shown >= 2, 60000);
  }

  async close() {
    await super.close();
    this.hostServer.closeAllConnections();
    await new Promise((r) => this.hostServer.close(r));
  }

  // Runs `fn` in the host page.
  async host(fn, ...args) {
    if (this.driver.page) return this.driver.evaluate(fn, ...args);
    await this.enter(false);
    return this.driver.evaluate(fn, ...args);
  }

  // Runs `fn` in the embedded page. Puppeteer reaches the frame by its origin. WebDriver classic
  // enters the frame (in the element's shadow root if there is one) and stays there, since
  // WebKitGTK gives the keys of its actions to the browsing context the driver is in; its pointer
  // positions are then the frame's own.
  async evaluate(fn, ...args) {
    if (this.driver.page) {
      const frame = this.driver.page.frames().find((f) => f.url().startsWith(this.origin));
      return frame.evaluate(fn, ...args);
    }
    await this.enter(true);
    return this.driver.evaluate(fn, ...args);
  }

  // WebDriver classic: into the embedded page's frame, or back to the host.
  async enter(frame) {
    if (this.inFrame === frame) return;
    const wd = this.driver.driver, KEY = 'element-6066-11e4-a52e-4f735466cecf';
    if (!frame) {
      await wd.call('POST', '/frame/parent', {});
    } else {
      let element;
      try {
        element = await wd.call('POST', '/element', {using: 'css selector', value: 'iframe#tessary'});
      } catch (e) {
        const cube = await wd.call('POST', '/element', {using: 'css selector', value: 'tessary-view'});
        const shadow = await wd.call('GET', `/element/${cube[KEY]}/shadow`);
        element = await wd.call('POST', `/shadow/${Object.values(shadow)[0]}/element`,
                                {using: 'css selector', value: 'iframe'});
      }
      await wd.call('POST', '/frame', {id: element});
    }
    this.inFrame = frame;
  }

  // A click on the host page's element `id`, as the reader gives it.
  async clickHost(id) {
    const r = await this.host((i) => {
      const b = document.getElementById(i).getBoundingClientRect();
      return {x: b.left + b.width / 2, y: b.top + b.height / 2};
    }, id);
    await this.driver.pointerMove(r.x, r.y);
    await this.driver.pointerDown();
    await this.driver.pointerUp();
  }

  // Input is given where the embedded page is, as a reader gives it.
  async move(x, y) {
    if (!this.driver.page) await this.enter(true);
    return super.move(x, y);
  }
  async press(code) {
    if (!this.driver.page) await this.enter(true);
    return super.press(code);
  }
  async hold(codes, ms) {
    if (!this.driver.page) await this.enter(true);
    return super.hold(codes, ms);
  }

  // The messages the page has sent the host since `from`, and the answer to request `id`.
  received(from = 0) { return this.host((k) => received.slice(k), from); }
  async answer(id, timeout = 30000) {
    return this.waitForHost((i) => received.find((m) => m.id === i && m.type !== 'view-changed'), timeout, id);
  }

  // Asks `message` with a fresh id and waits for its answer.
  async ask(message, timeout) {
    this.nextId = (this.nextId || 0) + 1;
    await this.host((m) => ask(m), {tessary: 1, id: this.nextId, ...message});
    return this.answer(this.nextId, timeout);
  }

  async waitForHost(fn, timeout, ...args) {
    const until = Date.now() + timeout;
    for (;;) {
      const value = await this.host(fn, ...args);
      if (value) return value;
      if (Date.now() > until) throw new Error(`waited ${timeout} ms in the host for ${fn}`);
      await new Promise((r) => setTimeout(r, 50));
    }
  }
}

module.exports = {HostedPage};
