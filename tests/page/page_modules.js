// The page's modules for Node as the page's build gives them: page/'s scripts copied into a
// temporary folder beside refusal_kinds.js and window_size.js, written from page/Refusal.h and
// hypercube/WindowLens.h as the build writes them. Every
// module of a process comes from the one copy, so that modules share what they import (the
// language chosen, say); the copy goes when the process ends.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {fileURLToPath, pathToFileURL} from 'node:url';

const {refusalModule} = createRequire(import.meta.url)('../../tools/web/refusal_module.js');
const {windowModule} = createRequire(import.meta.url)('../../tools/web/window_module.js');
const PAGE = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../page');
let copy = null;

// The copy's path of page/`file`.
export function pageFile(file) {
  if (!copy) {
    copy = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-page-'));
    for (const name of fs.readdirSync(PAGE).filter((f) => f.endsWith('.js') || f === 'package.json'))
      fs.copyFileSync(path.join(PAGE, name), path.join(copy, name));
    fs.writeFileSync(path.join(copy, 'refusal_kinds.js'), refusalModule(fs.readFileSync(path.join(PAGE, 'Refusal.h'), 'utf8')));
    const lens = fs.readFileSync(path.join(PAGE, '../hypercube/WindowLens.h'), 'utf8');
    fs.writeFileSync(path.join(copy, 'window_size.js'), windowModule(lens));
    process.on('exit', () => fs.rmSync(copy, {recursive: true, force: true}));
  }
  return path.join(copy, file);
}

// The module page/`file`.
export const pageModule = (file) => import(pathToFileURL(pageFile(file)));
