// The page's dialog (page/page_dialog.js) over a fake <dialog>: the answer comes from the button that
// closed it, and the focus goes back where it was.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {PageDialog} from '../../page/page_dialog.js';

// A <dialog> as the page's is: its text, showModal, and close(value) as a button of its form (or
// Escape, with no value) closes it.
class Dialog extends EventTarget {
  constructor() {
    super();
    this.question = {textContent: ''};
    this.open = false;
    this.returnValue = 'stale';
  }
  querySelector(selector) { return selector === '.question' ? this.question : null; }
  showModal() { this.open = true; }
  close(value) {
    if (value !== undefined) this.returnValue = value;
    this.open = false;
    this.dispatchEvent(new Event('close'));
  }
}

const focusedBack = [];
globalThis.document = {activeElement: {focus: (options) => focusedBack.push(options)}};

test('asks with 确定 and 取消: true for ok only, Escape after an ok is no ok, the focus back each time', async () => {
  const element = new Dialog(), dialog = new PageDialog(element);
  for (const [value, expected] of [['ok', true], [undefined, false], ['cancel', false]]) {
    const answer = dialog.ask(`question ${value}`);
    assert.deepEqual([dialog.asking, element.question.textContent], [true, `question ${value}`]);
    element.close(value);
    assert.equal(await answer, expected, `closed by ${value ?? 'Escape'}`);
    assert.equal(dialog.asking, false, 'asking once answered');
  }
  assert.deepEqual(focusedBack, [{preventScroll: true}, {preventScroll: true}, {preventScroll: true}]);
});
