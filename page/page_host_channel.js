// The channel to the window that embeds this page, when one does: its messages are taken only from
// that window (never from another frame, a popup or the page itself), and the page's answers and
// notices go only to it. They carry views and the program's questions, nothing of the reader's, so
// they go to whatever page the parent shows ('*'): a host on any origin may embed the page.
import {buildDimension} from './page_controls.js';
import {PageHost} from './page_host.js';
import {ViewAnimation} from './page_animation.js';
import {watchView} from './page_view_watch.js';
import {KINDS} from './refusal_kinds.js';

// `program`: a PageProgram; `dialog`: the page's PageDialog; `running()`: whether the program runs;
// `focusWindow()`: gives the window the keyboard. Returns null outside a frame, otherwise
// {started(views), follow(state)}: the loader hands it the program's view functions once the
// program's code is ready, and each state the page reads.
export function openHostChannel({program, dialog, running, focusWindow}) {
  if (window.parent === window) return null;
  const parent = window.parent;
  let views = null, animation = null, question = null;
  // What the host changes is to be seen, and a window without the keyboard draws nothing, as the
  // page's own controls know: each change gives it the keyboard, as a click on them would.
  const shown = (outcome) => (focusWindow(), outcome);
  // While the page's own dialog waits for the reader, the host changes nothing, as while the
  // program's message box is open: the reader answers a question about the view in front of them.
  const dialogOpen = {kind: KINDS.busy, reason: 'the page\'s dialog is open'};
  const host = new PageHost({
    running: () => running() && views !== null,
    capture: () => views.capture(),
    apply: (text) => (dialog.asking ? dialogOpen : (animation.stop(), shown(views.apply(text)))),
    setDimension: (n) => {
      // A dimension the program never builds is the host's mistake, refused by the program before
      // anything moves: the animation goes on and the keyboard stays where it is.
      const answer = program.dimensionQuestion(n);
      if (answer && answer.answer === 'refused') return program.applyDimension(n);
      if (dialog.asking) return dialogOpen;
      animation.stop();
      return buildDimension(n, program, dialog, (text) => host.notify('question', {text})).then(shown);
    },
    setFaces: (faces) => (dialog.asking ? dialogOpen : (animation.stop(), shown(program.showFaces(faces)))),
    animate: (text, ms) => (dialog.asking ? Promise.resolve(dialogOpen) : shown(animation.to(text, ms))),
    playTour: (text) => (dialog.asking ? Promise.resolve(dialogOpen) : shown(animation.tour(text))),
  }, (m) => parent.postMessage(m, '*'));
  window.addEventListener('message', (event) => {
    if (event.source === parent) host.receive(event.data);
  });

  return {
    // Once the program has drawn its first frame, the host hears that the page is ready, and from
    // then on of every settled change of the view.
    started(loaded) {
      views = loaded;
      animation = new ViewAnimation(views);
      views.afterFrame(() => {
        host.notify('ready', {view: views.capture()});
        watchView(views, running, (view) => host.notify('view-changed', {view}));
      });
    },
    // The program's message box opening is a question to the reader, which the host hears too.
    follow(state) {
      if (state.message !== null && state.message !== question) host.notify('question', {text: state.message});
      question = state.message;
    },
  };
}
