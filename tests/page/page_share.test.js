// Handing a link over (page/page_share.js): the share sheet where there is one, the clipboard where
// there is none or it is not allowed, and what happened, with a fake navigator.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {shareLink} from '../../page/page_share.js';

globalThis.document = {title: 'QV作品---Tessary'};
const LINK = 'https://example.org/#view=v1.3w';

// A navigator whose share and clipboard do as told, recording what they were handed.
function navigatorThat({share, clipboard}) {
  const handed = [];
  const navigator = {};
  if (share) navigator.share = async (data) => { handed.push(['share', data]); return share(); };
  if (clipboard) navigator.clipboard = {writeText: async (text) => { handed.push(['clipboard', text]); return clipboard(); }};
  Object.defineProperty(globalThis, 'navigator', {value: navigator, configurable: true, writable: true});
  return handed;
}
const refused = (name) => () => { throw Object.assign(new Error(name), {name}); };

test('shares through the share sheet with the page\'s title, and a cancel there is no copy', async () => {
  const handed = navigatorThat({share: () => {}, clipboard: () => {}});
  assert.equal(await shareLink(LINK), 'shared');
  assert.deepEqual(handed, [['share', {title: 'QV作品---Tessary', url: LINK}]]);
  const cancelled = navigatorThat({share: refused('AbortError'), clipboard: () => {}});
  assert.equal(await shareLink(LINK), 'cancelled');
  assert.equal(cancelled.length, 1, 'nothing copied after a cancel');
});

test('copies when there is no share sheet or it is not allowed, and fails when the clipboard does', async () => {
  const cases = [
    [{clipboard: () => {}}, 'copied', ['clipboard']],
    [{share: refused('NotAllowedError'), clipboard: () => {}}, 'copied', ['share', 'clipboard']],
    [{clipboard: refused('NotAllowedError')}, 'failed', ['clipboard']],
    [{}, 'failed', []],
  ];
  for (const [navigator, outcome, calls] of cases) {
    const handed = navigatorThat(navigator);
    assert.equal(await shareLink(LINK), outcome, JSON.stringify(calls));
    assert.deepEqual(handed.map(([what]) => what), calls);
    if (calls.includes('clipboard')) assert.equal(handed.at(-1)[1], LINK, 'the link copied');
  }
});
