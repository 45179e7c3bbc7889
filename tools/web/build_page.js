// Builds the page, index.html with its one script inside, from the page's HTML and its ES modules,
// starting at the module `entry`; a module the build generates (the input modules' host.js, from
// WebHost.h) is named with the path its importers see and the file it was written to, and the
// window's size is put into the HTML from hypercube/WindowLens.h (tools/web/window_module.js):
//   node build_page.js index.html entry.js out.html WindowLens.h [imported-path=generated-file ...]
// A browser fetches an ES module's imports one level at a time, each a request of its own; over
// HTTP/1.1's six connections to a host those requests queued behind the fonts and the program and
// held its start by some 150 ms, and a script of its own still came last. Inside the HTML, the
// page's script runs as soon as the body is parsed, while the fonts and the program download.
// The HTML names the script as `<script src="tessary_page.js"></script>` at the end of its body;
// that element is replaced by the script's text.
//
// Each module becomes a function run once, in import order, that returns its exports; an import
// becomes a destructuring of what that function returned. Only the forms the page uses are
// understood, `import {a, b as c} from './m.js';` (or '../folder/m.js'), `export {a, b};` and
// `export function|class|const|let|async function name`; any other import or export stops the build
// rather than being passed on wrong.
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const IMPORT = /^import \{([^}]*)\} from '(\.\.?\/[\w./-]+\.js)';[ \t]*$/;
const EXPORT = /^export (?:async function\*?|function\*?|class|const|let) +([\w$]+)/;
const EXPORT_LIST = /^export \{((?:\s*[\w$]+\s*,)*\s*[\w$]+\s*)\};[ \t]*$/;

// A module's imports ({file, names: [[exported, local]]}, `file` resolved), its exports and its
// text, in which each import has become the destructuring of its module's exports (named by
// `variable(file)`). `text` is the module's source.
function parse(file, text, variable) {
  const imports = [], exports = [], body = [];
  text.split('\n').forEach((line, k) => {
    const at = `${path.basename(file)}:${k + 1}`;
    if (line.startsWith('import')) {
      const m = IMPORT.exec(line);
      if (!m) throw new Error(`${at}: an import this builder does not understand: ${line}`);
      const names = m[1].split(',').map((s) => s.trim()).filter(Boolean).map((s) => {
        const [exported, local = exported] = s.split(/\s+as\s+/);
        return [exported, local];
      });
      const imported = path.resolve(path.dirname(file), m[2]);
      imports.push({file: imported, names});
      const list = names.map(([e, l]) => (e === l ? e : `${e}: ${l}`)).join(', ');
      body.push(`const {${list}} = ${variable(imported)};`);
      return;
    }
    const list = EXPORT_LIST.exec(line);
    if (list) {
      exports.push(...list[1].split(',').map((s) => s.trim()).filter(Boolean));
      return;
    }
    if (line.startsWith('export')) {
      const m = EXPORT.exec(line);
      if (!m) throw new Error(`${at}: an export this builder does not understand: ${line}`);
      exports.push(m[1]);
      body.push(line.slice('export '.length));
      return;
    }
    body.push(line);
  });
  return {imports, exports, body: body.join('\n')};
}

// The modules reachable from `entry`, each after the modules it imports, by their full paths; a
// module named in `generated` ({full path: file}) is read from that file.
function ordered(entry, generated, variable) {
  const done = new Map(), visiting = new Set();
  const visit = (file) => {
    if (done.has(file)) return;
    if (visiting.has(file)) throw new Error(`${path.basename(file)}: imports itself through a cycle`);
    visiting.add(file);
    const module = parse(file, fs.readFileSync(generated[file] || file, 'utf8'), variable);
    module.imports.forEach((i) => visit(i.file));
    visiting.delete(file);
    done.set(file, module);
  };
  visit(path.resolve(entry));
  return done;
}

// The modules' script. Every name a module imports must be one that module exports. `generated`:
// {path as imported: the file written for it}, paths taken from the working directory.
function pageScript(entry, generated = {}) {
  const root = path.dirname(path.resolve(entry));
  const shown = (file) => path.relative(root, file).split(path.sep).join('/');
  // The name under which a module's exports are kept: `$page_layout_js` for page_layout.js.
  const variable = (file) => '$' + shown(file).replace(/\W/g, '_');
  const files = Object.fromEntries(Object.entries(generated).map(([k, v]) => [path.resolve(k), path.resolve(v)]));
  const modules = ordered(entry, files, variable);
  const parts = [];
  for (const [file, module] of modules) {
    for (const {file: from, names} of module.imports)
      for (const [exported] of names)
        if (!modules.get(from).exports.includes(exported))
          throw new Error(`${shown(file)}: ${shown(from)} exports no ${exported}`);
    parts.push(`// ${shown(file)}`, `const ${variable(file)} = (function () {`, module.body,
               `return {${module.exports.join(', ')}};`, '})();');
  }
  return ['(function () {', "'use strict';", ...parts, '})();', ''].join('\n');
}

// The HTML with the script in place of its <script src> element.
function pageHtml(html, script) {
  const element = '<script src="tessary_page.js"></script>';
  if (html.split(element).length !== 2) throw new Error(`index.html: expected ${element} once`);
  // The HTML parser ends a script at the first "</script", wherever it stands in the text.
  if (/<\/script/i.test(script)) throw new Error('the page\'s script contains "</script"');
  return html.replace(element, () => `<script>\n${script}</script>`);
}

if (require.main === module) {
  const [html, entry, out, lens, ...pairs] = process.argv.slice(2);
  const generated = Object.fromEntries(pairs.map((p) => p.split('=')));
  const script = ['// Built by tools/web/build_page.js from page/ and platform/web/input/.',
                  pageScript(entry, generated)].join('\n');
  const {windowSize, windowHtml} = require('./window_module.js');
  const sized = windowHtml(fs.readFileSync(html, 'utf8'), windowSize(fs.readFileSync(lens, 'utf8')));
  fs.writeFileSync(out, pageHtml(sized, script));
} else {
  module.exports = {pageScript, pageHtml};
}
