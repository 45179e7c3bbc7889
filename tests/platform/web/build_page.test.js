// The page's build step, without a browser: node --test. The page itself runs the built script in
// every browser test; these are the modules it must refuse rather than pass on wrong.
'use strict';
const {describe, it} = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {pageScript, pageHtml} = require('../../../tools/web/build_page.js');

// Writes {name: text} to a folder of their own and builds from `entry`.
function build(files, entry = 'main.js') {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-page-'));
  try {
    for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), text);
    return pageScript(path.join(dir, entry));
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
}

describe('The page builder', () => {
  it('runs each module once, after those it imports, with the names it imports them under', () => {
    const script = build({
      'main.js': "import {twice as double} from './b.js';\nimport {log} from './a.js';\nlog.push('main ' + double(2));\n",
      'b.js': "import {log} from './a.js';\nlog.push('b');\nexport function twice(x) { return 2 * x; }\n",
      'a.js': 'export const log = [];\nglobalThis.builtLog = log;\n',
    });
    new Function(script)();
    assert.deepEqual(globalThis.builtLog, ['b', 'main 4']);
    delete globalThis.builtLog;
  });

  it('stops at an import or export it does not understand, a missing name and a cycle', () => {
    const cases = [
      [{'main.js': "import * as a from './a.js';\n", 'a.js': ''}, /does not understand/],
      [{'main.js': "export default 3;\n"}, /does not understand/],
      [{'main.js': "import {nothing} from './a.js';\n", 'a.js': 'export const something = 1;\n'}, /exports no nothing/],
      [{'main.js': "import {a} from './a.js';\n", 'a.js': "import {m} from './main.js';\nexport const a = 1;\n"},
       /cycle/],
    ];
    for (const [files, error] of cases) assert.throws(() => build(files), error, JSON.stringify(files));
  });

  it('puts the script in place of the page\'s script element, once, and refuses a "</script" inside', () => {
    const html = '<body><script src="tessary_page.js"></script></body>';
    assert.equal(pageHtml(html, 'run($&);'), '<body><script>\nrun($&);</script></body>');
    assert.throws(() => pageHtml(html, "s = '</script>';"), /<\/script/);
    assert.throws(() => pageHtml('<body></body>', 'x'), /once/);
  });
});
