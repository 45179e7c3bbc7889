// A small client of W3C WebDriver (classic, over HTTP), enough to drive WebKitGTK through Debian's
// WebKitWebDriver: a session, navigation, scripts, and input as actions. Input sources keep their
// state between calls, as the protocol says, so a key pressed in one call is held until released.
'use strict';
const {spawn} = require('node:child_process');
const net = require('node:net');

// The protocol's key values of the keys the tests press, by their KeyboardEvent.code.
const KEY_VALUES = {Escape: '\uE00C', Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', ShiftLeft: '\uE008'};
function keyValue(code) {
  const digit = /^Digit([0-9])$/.exec(code);
  if (digit) return digit[1];
  if (!KEY_VALUES[code]) throw new Error(`no WebDriver key value for ${code}`);
  return KEY_VALUES[code];
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

class WebDriver {
  // Starts `driver` (a WebDriver server) with `env`, and a session with `capabilities`.
  static async start(driver, capabilities, env) {
    const self = new WebDriver();
    const port = await freePort();
    self.child = spawn(driver, [`--port=${port}`, '--host=127.0.0.1'], {env, stdio: ['ignore', 'ignore', 'pipe']});
    self.log = '';
    self.child.stderr.on('data', (d) => { self.log = (self.log + d).slice(-4000); });
    self.exited = new Promise((r) => self.child.once('exit', r));
    self.base = `http://127.0.0.1:${port}`;
    for (let tries = 0; ; ++tries) {
      try {
        await self.call('GET', '/status');
        break;
      } catch (e) {
        if (tries > 100 || self.child.exitCode !== null) throw new Error(`${driver} did not start: ${e}\n${self.log}`);
        await new Promise((r) => setTimeout(r, 100));
      }
    }
    const session = await self.call('POST', '/session', {capabilities: {alwaysMatch: capabilities}});
    self.base += `/session/${session.sessionId}`;
    return self;
  }

  async call(method, path, body) {
    const response = await fetch(this.base + path, {
      method, headers: {'Content-Type': 'application/json'}, body: body ? JSON.stringify(body) : undefined,
    });
    const {value} = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }

  navigate(url) { return this.call('POST', '/url', {url}); }

  // Runs `fn` in the page with `args` (JSON values) and gives back its JSON result; a promise is
  // waited for.
  execute(fn, ...args) {
    return this.call('POST', '/execute/sync', {script: `return (${fn}).apply(null, arguments);`, args});
  }

  setWindowRect(rect) { return this.call('POST', '/window/rect', rect); }

  // One action per source (`pointer`, `key`, `wheel`), performed together as one tick.
  act(source, action) {
    const sources = {
      pointer: {type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'}},
      key: {type: 'key', id: 'keyboard'},
      wheel: {type: 'wheel', id: 'wheel'},
    };
    return this.call('POST', '/actions', {actions: [{...sources[source], actions: [action]}]});
  }

  async quit() {
    try {
      await this.call('DELETE', '');
    } finally {
      if (this.child.exitCode === null) this.child.kill('SIGTERM');
      await this.exited;
    }
  }
}

module.exports = {WebDriver, keyValue};
