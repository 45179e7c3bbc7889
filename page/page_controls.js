// The page's own controls beside the window, for a finger and the keyboard: the dimensions 3 to 8
// and the faces. They act through the program, as the window's panel would: 7 and 8 ask first, in
// the program's own words.
const SLOW = '大于6的维度可能会渲染较慢，真的要试试？';

// `controls`: the element holding buttons with data-dimension and the faces button (data-faces);
// `program`: a PageProgram; `dialog`: a PageDialog; `focusWindow()`: gives the window the keyboard
// back once a control has acted, since the window draws nothing while it has lost it.
export function wireControls(controls, program, dialog, focusWindow) {
  const faces = controls.querySelector('[data-faces]');
  for (const button of controls.querySelectorAll('[data-dimension]')) {
    const n = Number(button.dataset.dimension);
    button.addEventListener('click', async () => {
      // Answered either way, the window gets the keyboard back: it draws nothing without it.
      if (!(n > 6) || await dialog.ask(SLOW)) program.applyDimension(n);
      focusWindow();
    });
  }
  faces.addEventListener('click', () => {
    program.showFaces(faces.getAttribute('aria-pressed') !== 'true');
    focusWindow();
  });
  // The faces button shows what the program draws, whichever way it was set.
  return (state) => faces.setAttribute('aria-pressed', String(state.facesShown));
}
