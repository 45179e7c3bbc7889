// One way to drive a page in each browser engine the page is checked in. Every engine gives:
// Each engine is started with the reader's preferred language, Chinese unless asked otherwise.
//   open(url)                    loads the page in a 1100 × 900 viewport
//   evaluate(fn, ...args)        runs fn in the page, JSON arguments and result (a promise is awaited)
//   pointerMove(x, y)            the mouse to page position x, y
//   pointerDown(), pointerUp()   the left button
//   keyDown(code), keyUp(code)   a key, by KeyboardEvent.code (Digit0..9, Escape, Backspace)
//   wheel(x, y, deltaY)          one wheel turn over page position x, y, in pixels
//   close()
// Chromium and Firefox are driven by puppeteer-core (over the DevTools protocol and WebDriver BiDi);
// WebKitGTK by WebKitWebDriver (W3C WebDriver classic). Firefox and WebKitGTK get WebGL only from a
// GL driver, here Mesa on a private Xvfb display; Chromium renders WebGL with its own SwiftShader.
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const {launch: launchChromium, close: closeChromium, DEFAULT_LANGUAGE} = require('./browser.js');
const {WebDriver, keyValue} = require('./webdriver.js');
const {startXvfb} = require('./xvfb.js');

const VIEWPORT = {width: 1100, height: 900};

// Chromium and Firefox behind puppeteer's one page interface.
class PuppeteerEngine {
  constructor(browser, page, closeBrowser) {
    Object.assign(this, {browser, page, closeBrowser});
  }

  async open(url) {
    await this.page.setViewport(VIEWPORT);
    await this.page.goto(url);
  }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  pointerMove(x, y) { return this.page.mouse.move(x, y); }
  pointerDown() { return this.page.mouse.down(); }
  pointerUp() { return this.page.mouse.up(); }
  keyDown(code) { return this.page.keyboard.down(code); }
  keyUp(code) { return this.page.keyboard.up(code); }
  async wheel(x, y, deltaY) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel({deltaY});
  }
  close() { return this.closeBrowser(); }
}

async function chromium(language) {
  const browser = await launchChromium([], {language});
  return new PuppeteerEngine(browser, await browser.newPage(), () => closeChromium(browser));
}

async function firefox(language) {
  const xvfb = await startXvfb();
  let browser;
  try {
    browser = await puppeteer.launch({
      browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: false,
      dumpio: !!process.env.DUMPIO,
      args: [`--width=${VIEWPORT.width + 100}`, `--height=${VIEWPORT.height + 200}`],
      // Mesa's software rasteriser is on Firefox's list of drivers too slow for WebGL.
      extraPrefsFirefox: {'webgl.force-enabled': true, 'intl.accept_languages': language},
      env: {...process.env, DISPLAY: xvfb.display},
    });
  } catch (e) {
    await xvfb.stop();
    throw e;
  }
  const close = async () => {
    await browser.close();
    await xvfb.stop();
  };
  try {
    const page = (await browser.pages())[0] || await browser.newPage();
    // With no window manager on the display Firefox's window has the keyboard only once it has
    // been clicked, and until then the page sees no focus or blur. The click lands on the blank page.
    const blank = await page.evaluate(() => [mozInnerScreenX + 10, mozInnerScreenY + 10].map(Math.round));
    execFileSync('xdotool', ['search', '--sync', '--onlyvisible', '--class', 'firefox', 'windowfocus',
                             'mousemove', String(blank[0]), String(blank[1]), 'click', '1'],
                 {env: {...process.env, DISPLAY: xvfb.display}, stdio: 'ignore', timeout: 30000});
    return new PuppeteerEngine(browser, page, close);
  } catch (e) {
    await close();
    throw e;
  }
}

// WebKitGTK's MiniBrowser, which WebKitWebDriver starts in its automation mode.
class WebKitEngine {
  constructor(driver, xvfb) { Object.assign(this, {driver, xvfb}); }

  async open(url) {
    // The window is made as large as a viewport of that size needs before the page loads, so that
    // the page is laid out once, at that size.
    const inner = await this.evaluate(() => [innerWidth, innerHeight]);
    const outer = await this.driver.call('GET', '/window/rect');
    await this.driver.setWindowRect({x: 0, y: 0, width: outer.width + VIEWPORT.width - inner[0],
                                     height: outer.height + VIEWPORT.height - inner[1]});
    await this.driver.navigate(url);
  }
  evaluate(fn, ...args) { return this.driver.execute(fn, ...args); }
  pointerMove(x, y) {
    return this.driver.act('pointer', {type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport', duration: 0});
  }
  pointerDown() { return this.driver.act('pointer', {type: 'pointerDown', button: 0}); }
  pointerUp() { return this.driver.act('pointer', {type: 'pointerUp', button: 0}); }
  keyDown(code) { return this.driver.act('key', {type: 'keyDown', value: keyValue(code)}); }
  keyUp(code) { return this.driver.act('key', {type: 'keyUp', value: keyValue(code)}); }
  wheel(x, y, deltaY) {
    return this.driver.act('wheel', {type: 'scroll', x: Math.round(x), y: Math.round(y), deltaX: 0, deltaY,
                                     origin: 'viewport', duration: 0});
  }
  async close() {
    try {
      await this.driver.quit();
    } finally {
      await this.xvfb.stop();
    }
  }
}

// WebKitGTK takes the reader's language from the C library's locale, which must exist: the locale
// of `language` (a BCP 47 tag) is compiled once into a folder of its own, leaving the system's alone.
function localeEnvironment(language) {
  const name = `${language.replace('-', '_')}.UTF-8`;
  const folder = path.join(os.tmpdir(), 'tessary-locales');
  if (!fs.existsSync(path.join(folder, name, 'LC_CTYPE'))) {
    fs.mkdirSync(folder, {recursive: true});
    execFileSync('localedef', ['-i', name.split('.')[0], '-f', 'UTF-8', path.join(folder, name)], {stdio: 'ignore'});
  }
  return {LOCPATH: folder, LANG: name, LANGUAGE: name.split('.')[0], LC_ALL: name};
}

async function webkit(language) {
  const xvfb = await startXvfb();
  try {
    const env = {...process.env, DISPLAY: xvfb.display, ...localeEnvironment(language),
                 // No user namespaces for the web process's sandbox in a container run as root.
                 WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS: '1'};
    const driver = await WebDriver.start(process.env.WEBKIT_DRIVER || 'WebKitWebDriver', {
      'webkitgtk:browserOptions': {args: ['--automation']},
    }, env);
    return new WebKitEngine(driver, xvfb);
  } catch (e) {
    await xvfb.stop();
    throw e;
  }
}

// Each engine by its name, started as `ENGINES[name](language)`.
const ENGINES = Object.fromEntries(Object.entries({chromium, firefox, webkit})
  .map(([name, start]) => [name, (language = DEFAULT_LANGUAGE) => start(language)]));

module.exports = {ENGINES};
