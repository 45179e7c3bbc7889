// The page's input modules (platform/web/input/) for Node, as the page's build gives them: a copy of
// the folder in a temporary one, beside host.js written from WebHost.h as the build writes it.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {pathToFileURL} = require('node:url');
const {hostModule} = require('../../../tools/web/host_module.js');

const SOURCES = path.join(__dirname, '../../../platform/web');

// Resolves to {host, keys, wheel, ...}: each module of the folder by its name.
async function inputModules() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-input-'));
  try {
    fs.cpSync(path.join(SOURCES, 'input'), dir, {recursive: true});
    fs.writeFileSync(path.join(dir, 'host.js'), hostModule(fs.readFileSync(path.join(SOURCES, 'WebHost.h'), 'utf8')));
    const modules = {};
    for (const file of fs.readdirSync(dir).filter((f) => f.endsWith('.js')))
      modules[file.replace(/\.js$/, '')] = await import(pathToFileURL(path.join(dir, file)));
    return modules;
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
}

module.exports = {inputModules};
