// The page's own words in Chinese and in English, in every browser engine the page is checked in,
// with the reader's preference set as a reader sets it (Chromium's --lang, Firefox's
// intl.accept_languages, WebKitGTK's locale): the document's language, its buttons and captions, the
// canvas's description as assistive technology gets it, and the live region once the page's "4"
// control has built the 4-cube; ?lang= in the address wins over the preference. The window in the
// canvas is the program's and Chinese in both. TESSARY_ENGINES=firefox runs some of the engines only.
'use strict';
const {describe, it} = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const {EnginePage} = require('./engine_page.js');
const {ENGINES} = require('./engines.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');

// What the page says in each language.
const SAYS = {
  zh: {lang: 'zh-CN', buttons: ['保存图片', '保存 SVG', '保存 PDF', '保存 3D 模型', '分享'], four: '4 维', faces: '显示面',
       help: ['“马上生成～～”', '“线框渲染”', '0 是 X', 'Shift', 'Tab'], ok: '确定',
       cube: '4 维超立方体：16 个顶点，32 条边，24 个面'},
  en: {lang: 'en', buttons: ['Save picture', 'Save SVG', 'Save PDF', 'Save 3-D model', 'Share'], four: '4-D', faces: 'Show faces',
       help: ['“请输入超立方体维度：”', '“马上生成～～” (“Build it now”)', '“线框渲染”', '0 is X', '3 is W', 'Shift', 'Tab'],
       ok: 'OK', cube: '4-cube: 16 vertices, 32 edges, 24 faces'},
};

// The canvas's accessible description: in Chromium from its accessibility tree, elsewhere as the
// DOM gives it through aria-describedby.
async function canvasDescription(tessary, engine) {
  if (engine === 'chromium') {
    const client = await tessary.driver.page.target().createCDPSession();
    const {nodes} = await client.send('Accessibility.getFullAXTree');
    const canvas = nodes.find((n) => n.role && n.role.value === 'application');
    return canvas ? ((canvas.description || {}).value || '') : 'no node with the role application';
  }
  return tessary.evaluate(() => {
    const ids = document.getElementById('canvas').getAttribute('aria-describedby').split(/\s+/);
    return ids.map((id) => document.getElementById(id).textContent).join(' ').replace(/\s+/g, ' ');
  });
}

// The page's words, in the document.
const pageWords = (tessary) => tessary.evaluate(() => ({
  lang: document.documentElement.lang,
  buttons: [...document.querySelectorAll('#views button:not([hidden])')].map((b) => b.textContent),
  four: document.querySelector('[data-dimension="4"]').textContent,
  faces: document.querySelector('[data-faces]').textContent,
  ok: document.querySelector('#ask button[value="ok"]').textContent,
}));

for (const engine of RUN) {
  describe(`The page's language in ${engine}`, () => {
    for (const [preferred, query, language, built] of [
      ['en-US', '', 'en', true], ['zh-CN', '', 'zh', true], ['zh-CN', '?embed&lang=en', 'en', false],
      ['en-GB', '?lang=zh', 'zh', false]]) {
      it(`speaks ${language} to a reader who prefers ${preferred}${query ? ` at ${query}` : ''}`, async () => {
        const tessary = await EnginePage.open(engine, WEB_BUILD, {language: preferred, query});
        try {
          const says = SAYS[language];
          const words = await pageWords(tessary);
          const expected = {lang: says.lang, buttons: says.buttons, four: says.four, faces: says.faces, ok: says.ok};
          // The record button is there only where the engine records the canvas.
          words.buttons = words.buttons.filter((b) => !['录制', 'Record'].includes(b));
          assert.deepEqual(words, expected, 'the page\'s words');
          const description = await canvasDescription(tessary, engine);
          for (const part of says.help)
            assert.ok(description.includes(part), `"${part}" missing from the description "${description}"`);
          if (!built) return;
          await tessary.evaluate(() => document.querySelector('[data-dimension="4"]').click());
          try {
            await tessary.waitFor((t) => document.getElementById('announce').textContent.includes(t), 10000, says.cube);
          } catch (e) {
            assert.fail(`expected the live region to say "${says.cube}", it says ` +
                        `"${await tessary.evaluate(() => document.getElementById('announce').textContent)}"`);
          }
          assert.deepEqual(await tessary.errors(), [], 'errors on the page');
        } finally {
          await tessary.close();
        }
      });
    }
  });
}
