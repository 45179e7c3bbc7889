// The page's build step, without a browser: node --test. The page itself runs the built script in
// every browser test; these are the modules it must refuse rather than pass on wrong.
'use strict';
const {describe, it} = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {pageScript, pageHtml} = require('../../../tools/web/build_page.js');
const {windowSize, windowHtml} = require('../../../tools/web/window_module.js');

// Writes {name: text} to a folder of their own (a name may hold a folder) and builds from `entry`;
// `generated`: {imported path: name of the file written for it}.
function build(files, entry = 'page/main.js', generated = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-page-'));
  try {
    for (const [name, text] of Object.entries(files)) {
      fs.mkdirSync(path.dirname(path.join(dir, name)), {recursive: true});
      fs.writeFileSync(path.join(dir, name), text);
    }
    const made = Object.fromEntries(Object.entries(generated).map(([k, v]) => [path.join(dir, k), path.join(dir, v)]));
    return pageScript(path.join(dir, entry), made);
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
}

describe('The page builder', () => {
  it('runs each module once, after those it imports, with the names it imports them under', () => {
    const script = build({
      'page/main.js': "import {twice as double} from './b.js';\nimport {log} from '../input/a.js';\n" +
                      "import {k} from '../input/host.js';\nlog.push('main ' + double(k));\n",
      'page/b.js': "import {log} from '../input/a.js';\nlog.push('b');\nconst twice = (x) => 2 * x;\nexport {twice};\n",
      'input/a.js': "import {k} from './host.js';\nexport const log = [k];\nglobalThis.builtLog = log;\n",
      'built/host.js': 'export const k = 2;\n',
    }, 'page/main.js', {'input/host.js': 'built/host.js'});
    new Function(script)();
    assert.deepEqual(globalThis.builtLog, [2, 'b', 'main 4'], 'the generated host.js read from where it was written');
    delete globalThis.builtLog;
  });

  it('stops at an import or export it does not understand, a missing name and a cycle', () => {
    const cases = [
      [{'page/main.js': "import * as a from './a.js';\n", 'page/a.js': ''}, /does not understand/],
      [{'page/main.js': "export default 3;\n"}, /does not understand/],
      [{'page/main.js': "const a = 1;\nexport {a as b};\n"}, /does not understand/],
      [{'page/main.js': "import {nothing} from '../a.js';\n", 'a.js': 'export const something = 1;\n'},
       /a.js exports no nothing/],
      [{'page/main.js': "import {a} from './a.js';\n", 'page/a.js': "import {m} from './main.js';\nexport const a = 1;\n"},
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

  it('gives the page the window size of hypercube/WindowLens.h, and refuses HTML with no place for it', () => {
    const lens = fs.readFileSync(path.join(__dirname, '../../../hypercube/WindowLens.h'), 'utf8');
    assert.deepEqual(windowSize(lens), [1024, 768]);
    const changed = lens.replace('windowWidth = 1024;', 'windowWidth = 800;').replace('aspectHeight = 3;', 'aspectHeight = 2;');
    assert.deepEqual(windowSize(changed), [800, 400], 'the height follows the width and the aspect');
    assert.equal(windowHtml('<canvas width="@WINDOW_WIDTH@" height="@WINDOW_HEIGHT@">', [800, 600]),
                 '<canvas width="800" height="600">');
    assert.throws(() => windowHtml('<canvas width="1024" height="768">', [1024, 768]), /no @WINDOW_WIDTH@/);
  });
});
