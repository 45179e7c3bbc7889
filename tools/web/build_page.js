// Builds the page, index.html with its one script inside, from the page's HTML, the input modules
// (input/bundle.js) and the page's ES modules, starting at the module `entry`:
//   node build_page.js WebHost.h index.html entry.js out.html input-module.js...
// A browser fetches an ES module's imports one level at a time, each a request of its own; over
// HTTP/1.1's six connections to a host those requests queued behind the fonts and the program and
// held its start by some 150 ms, and a script of its own still came last. Inside the HTML, the
// page's script runs as soon as the body is parsed, while the fonts and the program download.
// The HTML names the script as `<script src="tessary_page.js"></script>` at the end of its body;
// that element is replaced by the script's text.
//
// Each module becomes a function run once, in import order, that returns its exports; an import
// becomes a destructuring of what that function returned. Only the forms the page uses are
// understood, `import {a, b as c} from './m.js';` and `export function|class|const|let|async
// function name`; any other import or export stops the build rather than being passed on wrong.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {bundle} = require('../../platform/web/input/bundle.js');

const IMPORT = /^import \{([^}]*)\} from '\.\/([\w.]+\.js)';[ \t]*$/;
const EXPORT = /^export (?:async function\*?|function\*?|class|const|let) +([\w$]+)/;
// The name under which a module's exports are kept: `$page_layout_js` for page_layout.js.
const variable = (file) => '$' + file.replace(/\W/g, '_');

// A module's imports ({file, names: [[exported, local]]}), its exports and its text, in which each
// import has become the destructuring of its module's exports.
function parse(file) {
  const imports = [], exports = [], body = [];
  fs.readFileSync(file, 'utf8').split('\n').forEach((line, k) => {
    const at = `${path.basename(file)}:${k + 1}`;
    if (line.startsWith('import')) {
      const m = IMPORT.exec(line);
      if (!m) throw new Error(`${at}: an import this builder does not understand: ${line}`);
      const names = m[1].split(',').map((s) => s.trim()).filter(Boolean).map((s) => {
        const [exported, local = exported] = s.split(/\s+as\s+/);
        return [exported, local];
      });
      imports.push({file: m[2], names});
      const list = names.map(([e, l]) => (e === l ? e : `${e}: ${l}`)).join(', ');
      body.push(`const {${list}} = ${variable(m[2])};`);
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

// The modules reachable from `entry`, each after the modules it imports.
function ordered(entry) {
  const dir = path.dirname(entry), done = new Map(), visiting = new Set();
  const visit = (name) => {
    if (done.has(name)) return;
    if (visiting.has(name)) throw new Error(`${name}: imports itself through a cycle`);
    visiting.add(name);
    const module = parse(path.join(dir, name));
    module.imports.forEach((i) => visit(i.file));
    visiting.delete(name);
    done.set(name, module);
  };
  visit(path.basename(entry));
  return done;
}

// The modules' script. Every name a module imports must be one that module exports.
function pageScript(entry) {
  const modules = ordered(entry);
  const parts = [];
  for (const [name, module] of modules) {
    for (const {file, names} of module.imports)
      for (const [exported] of names)
        if (!modules.get(file).exports.includes(exported)) throw new Error(`${name}: ${file} exports no ${exported}`);
    parts.push(`// ${name}`, `const ${variable(name)} = (function () {`, module.body,
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
  const [header, html, entry, out, ...inputModules] = process.argv.slice(2);
  const input = bundle(fs.readFileSync(header, 'utf8'), inputModules, "need('page')");
  const script = ['// Built by platform/web/build_page.js from platform/web/.', input, pageScript(entry)].join('\n');
  fs.writeFileSync(out, pageHtml(fs.readFileSync(html, 'utf8'), script));
} else {
  module.exports = {pageScript, pageHtml};
}
