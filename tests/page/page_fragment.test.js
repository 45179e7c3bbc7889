// Views in the page's address (page/page_fragment.js): the fragment #view=<text>, read, written and
// followed, with a fake location and window.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {followFragment, linkTo, viewIn} from '../../page/page_fragment.js';

globalThis.location = {href: 'https://example.org/tessary/index.html?embed#view=old', hash: '#view=old'};
globalThis.window = new EventTarget();

test('reads the view after view=, unescaped when it was escaped, and nothing from other fragments', () => {
  assert.equal(viewIn('#view=v1.4f.AbC-_9'), 'v1.4f.AbC-_9');
  assert.equal(viewIn('view=v1.3w'), 'v1.3w', 'with or without its #');
  assert.equal(viewIn('#view=v1%2E3w'), 'v1.3w');
  assert.equal(viewIn('#view=%E0%A4%A'), '%E0%A4%A', 'an escape that is no UTF-8 is left as it is');
  assert.equal(viewIn('#view='), '', 'an empty view is the program\'s to refuse');
  for (const other of ['', '#', '#views=v1', '#top', '#x&view=v1']) assert.equal(viewIn(other), null, other);
});

test('links to this page, its query kept and its fragment replaced by the view', () => {
  assert.equal(linkTo('v1.3w.abc'), 'https://example.org/tessary/index.html?embed#view=v1.3w.abc');
  assert.equal(viewIn(new URL(linkTo('v1.5f.x-y_z')).hash), 'v1.5f.x-y_z', 'read back as written');
});

test('follows a new fragment with a view, and ignores one without', () => {
  const shown = [];
  followFragment((text) => shown.push(text));
  for (const hash of ['#view=v1.3w', '#top', '#view=v1.4f']) {
    location.hash = hash;
    window.dispatchEvent(new Event('hashchange'));
  }
  assert.deepEqual(shown, ['v1.3w', 'v1.4f']);
});
