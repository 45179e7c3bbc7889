// The page around the program: it fits the canvas to the screen, wires the input to the program,
// says what is happening over the canvas, offers its own controls and says aloud what the program
// did, wires the view buttons, answers the page that embeds it, and loads the program. Its words
// are in the reader's language.
import {putTexts} from './page_language.js';
import {fitCanvas} from './page_layout.js';
import {PageStatus} from './page_status.js';
import {wireInput, CURSORS} from './page_input.js';
import {fetchProgram, loadProgram} from './page_loading.js';
import {PageProgram} from './page_program.js';
import {PageDialog} from './page_dialog.js';
import {wireControls} from './page_controls.js';
import {announce} from './page_announce.js';
import {embedded, embed} from './page_embed.js';
import {wireViewButtons} from './page_view_buttons.js';
import {ProgramViews} from './page_views.js';
import {openHostChannel} from './page_host_channel.js';

const fetched = fetchProgram();
const element = (id) => document.getElementById(id);
putTexts(document);
putTexts(element('typing-place').content);
const canvas = element('canvas');
const wheelLeft = embedded ? embed(element('wheel-hint')) : undefined;
// Chromium's form filling lays the page out as soon as the document has loaded if it holds an
// <input>, ahead of everything the program's start waits for. The soft keyboard's input joins the
// page as the program starts, the first moment anything can be typed into it.
const softInput = document.importNode(element('typing-place').content.firstElementChild, true);
const input = wireInput({canvas, keys: element('keys'), softInput}, (focused) => status.focus(focused), wheelLeft);
const status = new PageStatus(() => input.close());
const running = () => status.phase === 'running';
const program = new PageProgram(running);
const focusWindow = () => canvas.focus({preventScroll: true});
const dialog = new PageDialog(element('ask'));
const channel = openHostChannel({program, dialog, running, focusWindow});
const followControls = wireControls(element('controls'), program, dialog, focusWindow);
announce(element('announce'), program, (state) => {
  followControls(state);
  if (channel) channel.follow(state);
});
const viewsStarting = wireViewButtons({canvas, running, picture: element('save-picture'), svg: element('save-svg'),
                                      pdf: element('save-pdf'), model: element('save-model'), record: element('record'),
                                      share: element('share'),
                                      noticeElement: element('view-notice')});
loadProgram(fetched, {canvas, queue: input, cursors: CURSORS}, status, (Module) => {
  element('typing-place').replaceWith(softInput);
  const views = new ProgramViews(Module);
  viewsStarting(Module, views);
  if (channel) channel.started(views);
});
fitCanvas({canvas, stage: element('stage'), keys: element('panel'), footer: document.querySelector('footer'),
           tight: embedded});
