// Joins the modules of this folder into the page's input script, which build_page.js puts at the
// head of the page's script, with WebHost.h, whose record layout and numbers become the module
// `host`: the layout is written once, in C++.
// Each module is `define(name, [dependencies], factory)`; the script runs them in one closure and
// leaves one global, TessaryInput, the module `page`. Node tests load the same text with load().
'use strict';
const fs = require('node:fs');
const path = require('node:path');

// The enums and the record of WebHost.h between its `page table` markers: {EnumName: {name: value},
// InputRecord: [field names in order]}.
function hostTable(header) {
  const part = /\/\/ page table begin([\s\S]*?)\/\/ page table end/.exec(header);
  if (!part) throw new Error('WebHost.h: no page table markers');
  const text = part[1].replace(/\/\/.*$/gm, '');
  const table = {};
  for (const [, name, body] of text.matchAll(/enum (\w+) : int32_t \{([^}]*)\}/g)) {
    table[name] = {};
    for (const [, key, value] of body.matchAll(/(\w+) = (-?\d+)/g)) table[name][key] = Number(value);
  }
  const record = /struct InputRecord \{([^}]*)\}/.exec(text);
  table.InputRecord = [...record[1].matchAll(/int32_t (\w+);/g)].map((m) => m[1]);
  // The page writes every field as one int32: a member of another type would shift the layout.
  if (table.InputRecord.length !== record[1].split(';').length - 1)
    throw new Error('WebHost.h: every member of InputRecord must be one int32_t');
  return table;
}

// The script: the modules' text and what the closure returns (`need('page')` on the page).
function bundle(header, files, result) {
  return [
    '// Built by platform/web/input/bundle.js from platform/web/WebHost.h and platform/web/input/.',
    'var TessaryInput = (function () {',
    "  'use strict';",
    '  var factories = {}, modules = {};',
    '  function define(name, deps, factory) { factories[name] = {deps: deps, factory: factory}; }',
    '  function need(name) {',
    '    if (!(name in modules)) {',
    "      if (!factories[name]) throw new Error('no input module ' + name);",
    '      modules[name] = factories[name].factory.apply(null, factories[name].deps.map(need));',
    '    }',
    '    return modules[name];',
    '  }',
    "  define('host', [], function () { return " + JSON.stringify(hostTable(header)) + '; });',
    ...files.map((f) => fs.readFileSync(f, 'utf8')),
    '  return ' + result + ';',
    '})();',
    '',
  ].join('\n');
}

const WEB_DIR = path.join(__dirname, '..');
function moduleFiles() {
  return fs.readdirSync(__dirname).filter((f) => f.endsWith('.js') && f !== 'bundle.js').sort()
    .map((f) => path.join(__dirname, f));
}

// For Node: the modules by name, from the sources as they are.
function load() {
  const text = bundle(fs.readFileSync(path.join(WEB_DIR, 'WebHost.h'), 'utf8'), moduleFiles(), 'need');
  return new Function(text + '\nreturn TessaryInput;')();
}

module.exports = {hostTable, bundle, load};
