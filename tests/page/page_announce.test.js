// What the live region says (page/page_announce.js): each change of the program's state once, in
// the page's sentences, read at each tick of its timer. Chinese, unless a test says otherwise.
import {test, beforeEach} from 'node:test';
import assert from 'node:assert/strict';
import {announce, changes} from '../../page/page_announce.js';
import {useLanguage} from '../../page/page_language.js';

beforeEach(() => useLanguage('zh'));

const START = {dimension: 0, vertices: 0, edges: 0, faces: 0, facesShown: false, message: null, messageId: null,
               plane: null, reverse: false};
const FOUR = {...START, dimension: 4, vertices: 16, edges: 32, faces: 24};

test('says a cube built, a box\'s text, the faces, a turn with its plane and direction, and its end', () => {
  assert.deepEqual(changes(START, FOUR), ['4 维超立方体：16 个顶点，32 条边，24 个面']);
  assert.deepEqual(changes(FOUR, {...FOUR, message: '中文', messageId: 'range', facesShown: true}), ['中文', '显示面']);
  assert.deepEqual(changes({...FOUR, facesShown: true}, FOUR), ['只显示棱（线框渲染）']);
  assert.deepEqual(changes(FOUR, {...FOUR, plane: [0, 3]}), ['正在 X–W 平面内旋转']);
  assert.deepEqual(changes({...FOUR, plane: [0, 3]}, {...FOUR, plane: [0, 3], reverse: true}),
                   ['正在 X–W 平面内旋转（反向）']);
  assert.deepEqual(changes(FOUR, {...FOUR, dimension: 6, plane: [4, 5]}).slice(1), ['正在 4–5 平面内旋转']);
  assert.deepEqual(changes({...FOUR, plane: [1, 2], reverse: true}, FOUR), ['停止旋转']);
  assert.deepEqual(changes(FOUR, {...FOUR, plane: null, reverse: true}), [], 'Shift alone turns nothing');
  assert.deepEqual(changes({...FOUR, message: 'm'}, {...FOUR, message: 'm'}), [], 'the same box once');
  assert.deepEqual(changes(FOUR, START), [], 'nothing built is no cube');
});

test('says the same in English, the program\'s Chinese message box by which message it is', () => {
  useLanguage('en');
  assert.deepEqual(changes(START, {...FOUR, message: '中文', messageId: 'range', plane: [0, 3], reverse: true}), [
    '4-cube: 16 vertices, 32 edges, 24 faces',
    'The window shows a Chinese message box: “Please enter a dimension from 3 to 8”, with 确定 (OK)',
    'Turning in the X–W plane, reversed']);
  assert.deepEqual(changes(FOUR, {...FOUR, plane: [4, 5]}), ['Turning in the 4–5 plane']);
});

test('reads the state at each tick and says each change once, a cube there at the first read too', () => {
  let tick = null, period = 0;
  globalThis.setInterval = (callback, ms) => { tick = callback; period = ms; };
  const states = [FOUR, null, FOUR, {...FOUR, facesShown: true}, {...FOUR, facesShown: true, plane: [0, 1]}];
  const region = {textContent: ''}, seen = [];
  announce(region, {state: () => states.shift()}, (state) => seen.push(state));
  assert.equal(period, 200, 'five times a second');
  const said = [];
  while (states.length > 0) {
    tick();
    said.push(region.textContent);
  }
  const built = '4 维超立方体：16 个顶点，32 条边，24 个面';
  assert.deepEqual(said, [built, built, built, '显示面', '正在 X–Y 平面内旋转'], 'the region after each tick');
  assert.equal(seen.length, 4, 'every state read but the missing one was handed on');
});
