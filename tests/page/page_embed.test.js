// Inside another page (page/page_embed.js): ?embed in the address marks the page, and a wheel left
// to the host page shows the hint for two seconds after the last one, with a fake document and timer.
import {test} from 'node:test';
import assert from 'node:assert/strict';

// The module as a page at `search` loads it: it reads the address once, when it is loaded.
async function loadedAt(search) {
  globalThis.location = {search};
  return import(`../../page/page_embed.js?${encodeURIComponent(search)}`);
}

test('is embedded with ?embed in the address, among other parameters, and only then', async () => {
  const at = {};
  for (const search of ['?embed', '?a=1&embed', '?embed=1', '', '?embedded', '?a=embed'])
    at[search] = (await loadedAt(search)).embedded;
  assert.deepEqual(at, {'?embed': true, '?a=1&embed': true, '?embed=1': true, '': false, '?embedded': false,
                        '?a=embed': false});
});

test('marks the page, and shows the hint from each wheel left to the host page until 2 s after the last', async () => {
  const {embed} = await loadedAt('?embed');
  const classes = new Set(), timers = new Map();
  let next = 0;
  globalThis.document = {documentElement: {classList: classes}};
  globalThis.setTimeout = (callback, ms) => (timers.set(++next, {callback, ms}), next);
  globalThis.clearTimeout = (id) => timers.delete(id);
  const hint = {style: {display: 'none'}};
  const wheelLeft = embed(hint);
  assert.deepEqual([...classes], ['embed']);
  assert.equal(hint.style.display, 'none', 'no hint before a wheel');
  wheelLeft();
  wheelLeft();
  assert.equal(hint.style.display, 'block');
  assert.deepEqual([...timers.values()].map((t) => t.ms), [2000], 'one timer, from the last wheel');
  [...timers.values()][0].callback();
  assert.equal(hint.style.display, 'none');
});
