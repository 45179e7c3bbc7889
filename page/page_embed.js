// Inside another page (index.html?embed): the canvas fills the frame with only the status lines, the
// on-screen keys and the page controls, and the wheel scrolls the page around until the canvas has
// been clicked or tapped, which a short line over the canvas says.
export const embedded = new URLSearchParams(location.search).has('embed');

const HINT_MS = 2000;

// Marks the page as embedded; returns the function to call when a wheel was left to the host page.
export function embed(hint) {
  document.documentElement.classList.add('embed');
  let timer = 0;
  return () => {
    hint.style.display = 'block';
    clearTimeout(timer);
    timer = setTimeout(() => { hint.style.display = 'none'; }, HINT_MS);
  };
}
