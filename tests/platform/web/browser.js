// Starts Debian's Chromium headless, with a fresh profile and nothing that talks to the network,
// and hands back a puppeteer-core browser driving it over the DevTools protocol. The reader prefers
// Chinese unless told otherwise, whatever the machine's locale, so that the page speaks as the
// tests expect.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const DEFAULT_LANGUAGE = 'zh-CN';

// `extraArgs`: more switches for Chromium, such as the benchmark's precise heap figures;
// `language`: the reader's preferred language, a BCP 47 tag.
async function launch(extraArgs = [], {language = DEFAULT_LANGUAGE} = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    ignoreDefaultArgs: true,
    pipe: true,
    args: ['--headless', '--no-sandbox', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`,
           // WebGL on the CPU: Chromium allows its software renderer only when asked.
           '--enable-unsafe-swiftshader', '--window-size=1100,900', `--lang=${language}`,
           `--accept-lang=${language}`, ...extraArgs],
    defaultViewport: {width: 1100, height: 900}, dumpio: !!process.env.DUMPIO,
  });
  return browser;
}

// Closes the browser, waits for its process to end and removes the profile it used.
async function close(browser) {
  const child = browser.process();
  const profile = (child.spawnargs.find((a) => a.startsWith('--user-data-dir=')) || '').split('=')[1];
  const exited = child.exitCode !== null ? Promise.resolve() : new Promise((r) => child.once('exit', r));
  await browser.close();
  await exited;
  if (profile) fs.rmSync(profile, {recursive: true, force: true, maxRetries: 10, retryDelay: 100});
}

module.exports = {launch, close, DEFAULT_LANGUAGE};
