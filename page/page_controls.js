// The page's own controls beside the window, for a finger and the keyboard: the dimensions 3 to 8
// and the faces. They act through the program, as the window's panel would, and by its rule: the
// program says whether a dimension is built at once, asked about first or refused, and in which
// words, and the page says those words in its dialog, in the page's language.
import {texts} from './page_language.js';

// Whether to build, by the program's `answer` (PageProgram.dimensionQuestion): at once, once its
// question is answered "确定" (OK), or never, once its refusal has been read.
async function confirmed(answer, dialog) {
  if (!answer) return false;
  if (answer.answer === 'build') return true;
  if (answer.answer === 'ask') return dialog.ask(texts.programText(answer.text));
  await dialog.tell(texts.programText(answer.text));
  return false;
}

// `controls`: the element holding buttons with data-dimension and the faces button (data-faces);
// `program`: a PageProgram; `dialog`: a PageDialog; `focusWindow()`: gives the window the keyboard
// back once a control has acted, since the window draws nothing while it has lost it.
export function wireControls(controls, program, dialog, focusWindow) {
  const faces = controls.querySelector('[data-faces]');
  for (const button of controls.querySelectorAll('[data-dimension]')) {
    const n = Number(button.dataset.dimension);
    button.textContent = texts.dimension(n);
    button.addEventListener('click', async () => {
      // Answered either way, the window gets the keyboard back: it draws nothing without it.
      if (await confirmed(program.dimensionQuestion(n), dialog)) program.applyDimension(n);
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
