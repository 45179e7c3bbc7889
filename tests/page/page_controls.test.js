// The page's dimension and faces buttons (page/page_controls.js) with a fake program and dialog:
// they follow the program's answer for each dimension and give the window the keyboard back.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {pageModule} from './page_modules.js';

const {wireControls} = await pageModule('page_controls.js');

class Button extends EventTarget {
  constructor(attributes) {
    super();
    this.attributes = {...attributes};
    this.dataset = {dimension: attributes['data-dimension']};
  }
  getAttribute(name) { return this.attributes[name] ?? null; }
  setAttribute(name, value) { this.attributes[name] = value; }
}

// The controls of index.html, a program that answers as the C++ rule does and records what it is
// asked to do, and a dialog answering `reply`.
function page(reply) {
  const dimensions = [3, 4, 5, 6, 7, 8, 9].map((n) => new Button({'data-dimension': String(n)}));
  const faces = new Button({'aria-pressed': 'false'});
  const controls = {querySelector: () => faces, querySelectorAll: () => dimensions};
  const done = [], said = [];
  const program = {
    dimensionQuestion: (n) => (n > 8 ? {answer: 'refused', messageId: 'range', text: 'no'}
                               : n > 6 ? {answer: 'ask', messageId: null, text: `slow ${n}?`} : {answer: 'build'}),
    applyDimension: (n) => (n > 8 ? {kind: 'out of range', reason: '3 to 8'} : (done.push(['build', n]), null)),
    showFaces: (shown) => done.push(['faces', shown]),
  };
  const dialog = {ask: async (text) => { said.push(['ask', text]); return reply; }};
  let focused = 0;
  const follow = wireControls(controls, program, dialog, () => ++focused);
  const click = async (button) => {
    button.dispatchEvent(new Event('click'));
    await new Promise(setImmediate);
  };
  return {dimensions, faces, done, said, follow, click, focused: () => focused};
}

test('a dimension is built at once, after the program\'s question is answered 确定, or refused by the program alone', async () => {
  const answered = page(true);
  for (const button of answered.dimensions) await answered.click(button);
  assert.deepEqual(answered.done, [3, 4, 5, 6, 7, 8].map((n) => ['build', n]), 'built');
  assert.deepEqual(answered.said, [['ask', 'slow 7?'], ['ask', 'slow 8?']], 'said in the dialog');
  assert.equal(answered.focused(), 7, 'the window got the keyboard back after each button');

  const cancelled = page(false);
  await cancelled.click(cancelled.dimensions[5]);
  assert.deepEqual(cancelled.done, [], '8 cancelled builds nothing');
  assert.equal(cancelled.focused(), 1, 'and gives the keyboard back too');
});

test('the faces button asks for the other state and shows the one the program reports', async () => {
  const p = page(true);
  await p.click(p.faces);
  p.follow({facesShown: true});
  assert.equal(p.faces.getAttribute('aria-pressed'), 'true');
  await p.click(p.faces);
  p.follow({facesShown: false});
  assert.deepEqual(p.done, [['faces', true], ['faces', false]]);
  assert.equal(p.faces.getAttribute('aria-pressed'), 'false');
  assert.equal(p.focused(), 2);
});
