// The page's words (page/page_texts_*.js, page/page_language.js): every text the page or a module
// asks for is in every language and not empty, the program's messages have their English, and the
// language follows the address first and the reader's preference second.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';
import {TABLES, chooseLanguage} from '../../page/page_language.js';

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const read = (file) => fs.readFileSync(path.join(ROOT, file), 'utf8');
const PAGE_MODULES = fs.readdirSync(path.join(ROOT, 'page')).filter((f) => /^(page_.*|tessary_page)\.js$/.test(f));

// A table's texts by their dotted keys ('notices.copied'), groups too.
function keys(table, prefix = '') {
  return Object.entries(table).flatMap(([k, v]) => {
    const key = prefix + k;
    return typeof v === 'object' ? [[key, v], ...keys(v, key + '.')] : [[key, v]];
  });
}
const lookup = (table, key) => key.split('.').reduce((t, k) => (t && typeof t === 'object' ? t[k] : undefined), table);

// Every language must have `wanted` (keys with where each was asked for).
function assertEveryTableHas(wanted) {
  for (const [language, table] of Object.entries(TABLES)) {
    const missing = wanted.filter(([key]) => lookup(table, key) === undefined);
    assert.deepEqual(missing, [], `texts missing from ${language}`);
  }
}

test('the languages have the same keys, and no text is empty', () => {
  const [first, ...others] = Object.entries(TABLES);
  for (const [language, table] of others) {
    for (const [a, b] of [[first, [language, table]], [[language, table], first]]) {
      const missing = keys(a[1]).map(([k]) => k).filter((k) => lookup(b[1], k) === undefined);
      assert.deepEqual(missing, [], `keys of ${a[0]} missing from ${b[0]}`);
    }
  }
  for (const [language, table] of Object.entries(TABLES)) {
    const empty = keys(table).filter(([, v]) => {
      const text = typeof v === 'function' ? v('4', '16', '32', '24') : v;
      return typeof text === 'string' ? text.trim() === '' : typeof text !== 'object';
    });
    assert.deepEqual(empty.map(([k]) => k), [], `empty texts in ${language}`);
  }
});

test('every data-text and data-label of index.html and every texts.key a module uses is in every language', () => {
  const html = read('page/index.html');
  const inHtml = [...html.matchAll(/data-(?:text|label)="([^"]*)"/g)].map((m) => [m[1], 'index.html']);
  assert.ok(inHtml.length >= 20, `only ${inHtml.length} texts in index.html`);
  assertEveryTableHas(inHtml);
  const inModules = PAGE_MODULES.flatMap((file) =>
    [...read(`page/${file}`).matchAll(/\btexts\.([\w$]+(?:\.[\w$]+)*)/g)].map((m) => [m[1], file]));
  assert.ok(new Set(inModules.map(([, f]) => f)).size >= 5, `texts used in ${JSON.stringify(inModules)}`);
  assertEveryTableHas(inModules);
  // The check itself finds what is missing.
  assert.throws(() => assertEveryTableHas([['noSuchText', 'x.js']]), /noSuchText/);
});

test('the program\'s messages pass unchanged in Chinese and have their English by their ids', () => {
  const ids = [...read('hypercube/DimensionRule.cpp').matchAll(/\{"(\w+)", L"/g)].map((m) => m[1]);
  assert.deepEqual(ids, ['range', 'slow'], 'the program\'s message ids');
  for (const id of ids) {
    assert.deepEqual([TABLES.zh.programText(id, '中文'), TABLES.zh.messageBox(id, '中文')], ['中文', '中文']);
    const english = TABLES.en.programText(id, '中文');
    assert.ok(/^[\x20-\x7e]+$/.test(english), `no English for ${id}: "${english}"`);
    assert.match(TABLES.en.messageBox(id, '中文'), /Chinese message box: “[\x20-\x7e]+”, with 确定 \(OK\)/);
  }
  assert.match(TABLES.en.messageBox('slow', '中文'), /取消 \(Cancel\)/, 'a question has Cancel');
  assert.doesNotMatch(TABLES.en.messageBox('range', '中文'), /取消/, 'a refusal has OK alone');
  assert.equal(TABLES.en.programText(null, '中文'), '中文', 'a message without an id is given as it is');
});

test('?lang= wins over the preference, which is Chinese for any zh and English otherwise', () => {
  const prefers = (...languages) => ({languages, language: languages[0]});
  const cases = [
    ['', prefers('zh-CN', 'en'), 'zh'], ['', prefers('zh-TW'), 'zh'], ['', prefers('zh'), 'zh'],
    ['', prefers('en-US', 'zh-CN'), 'en'], ['', prefers('fr', 'zh'), 'en'], ['', prefers('zhx'), 'en'],
    ['', {language: 'zh-HK'}, 'zh'], ['', {language: 'de'}, 'en'], ['', undefined, 'en'],
    ['?lang=en', prefers('zh-CN'), 'en'], ['?lang=zh', prefers('en-US'), 'zh'],
    ['?embed&lang=zh-TW', prefers('en'), 'zh'], ['?lang=en-GB&embed', prefers('zh'), 'en'],
    ['?lang=fr', prefers('zh-CN'), 'zh'],
  ];
  for (const [search, navigator, expected] of cases)
    assert.equal(chooseLanguage(search, navigator), expected, `${search} with ${JSON.stringify(navigator)}`);
});
