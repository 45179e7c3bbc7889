// A figure out of the program's memory (page/page_figures.js), with a fake Module: the file's bytes
// copied out as a Blob of the format's type, and a refusal split into its kind and reason.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {pageModule} from './page_modules.js';

const {drawFigure} = await pageModule('page_figures.js');
const {ProgramViews} = await pageModule('page_views.js');

// A Module whose _tessary_figure answers `answer` and keeps `file` at byte 16 of its memory, and
// which records the calls' format and width.
function moduleWith(answer, file) {
  const heap = new Uint8Array(64), calls = [];
  heap.set(new TextEncoder().encode(file), 16);
  const strings = new Map([[1, answer]]);
  return {
    calls, HEAPU8: heap,
    lengthBytesUTF8: (s) => s.length, _malloc: () => 2, _free: () => {},
    stringToUTF8: (s, at) => strings.set(at, s), UTF8ToString: (at) => strings.get(at),
    _tessary_figure: (format, width) => { calls.push([strings.get(format), width]); return 1; },
    _tessary_figure_file: () => 16, _tessary_figure_size: () => file.length,
  };
}

test('copies the file out of the program\'s memory as a Blob of the format\'s type', async () => {
  for (const [format, type] of [['svg', 'image/svg+xml'], ['pdf', 'application/pdf']]) {
    const module = moduleWith('', '<svg/>');
    const {file, refused} = drawFigure(new ProgramViews(module), format, 1536);
    assert.deepEqual(module.calls, [[format, 1536]]);
    assert.equal(refused, undefined);
    assert.equal(file.type, type);
    assert.equal(await file.text(), '<svg/>');
  }
});

test('gives a refusal\'s kind and the program\'s reason, and no file', () => {
  const {file, refused} = drawFigure(new ProgramViews(moduleWith('busy: a message box is open', '')), 'svg', 1024);
  assert.equal(file, undefined);
  assert.deepEqual(refused, {kind: 'busy', reason: 'a message box is open'});
});
