// Views in the page's address: a link to this page with a view in its fragment, #view=<text>, where
// <text> is the program's view text (letters, digits, '-', '_' and '.', safe in a URL as it is).
const KEY = 'view=';

// This page's address with `text` as its view.
export function linkTo(text) {
  return location.href.replace(/#.*$/, '') + '#' + KEY + text;
}

// The view text a fragment holds: null when the fragment holds no view at all, otherwise the text
// after "view=", which may be empty or no view (the program then refuses it).
export function viewIn(hash) {
  const fragment = hash.replace(/^#/, '');
  if (!fragment.startsWith(KEY)) return null;
  try {
    return decodeURIComponent(fragment.slice(KEY.length));
  } catch (e) {
    return fragment.slice(KEY.length);
  }
}

// Calls `show(text)` whenever the fragment of the open page changes to one with a view.
export function followFragment(show) {
  window.addEventListener('hashchange', () => {
    const text = viewIn(location.hash);
    if (text !== null) show(text);
  });
}
