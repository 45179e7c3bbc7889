// The page's own controls beside the window, for a finger and the keyboard: the dimensions 3 to 8
// and the faces. They act through the program, as the window's panel would, and by its rule: the
// program says whether a dimension is built at once or asked about first, and in which words, and
// the page says those words in its dialog, in the page's language.
import {texts} from './page_language.js';
import {KINDS} from './refusal_kinds.js';
import {NOT_RUNNING} from './page_refusal.js';

const DECLINED = {kind: KINDS.declined, reason: 'the reader chose 取消'};

// Builds the n-cube by the program's rule (PageProgram.dimensionQuestion): at once, or once its
// question is answered "确定" (OK). A promise of null once built, or of why not, {kind, reason}.
// `onAsk(text)`, if given, is told each question shown. A dimension the program does not build is
// refused by the program, and the reader hears nothing of it: the page's buttons never ask for one,
// so only a host's mistake does.
export async function buildDimension(n, program, dialog, onAsk = () => {}) {
  const answer = program.dimensionQuestion(n);
  if (!answer) return NOT_RUNNING;
  if (answer.answer === 'ask') {
    onAsk(answer.text);
    if (!(await dialog.ask(texts.programText(answer.messageId, answer.text)))) return DECLINED;
  }
  return program.applyDimension(n);
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
      await buildDimension(n, program, dialog);
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
