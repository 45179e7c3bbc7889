// The page around the program: it fits the canvas to the screen, wires the input to the program,
// says what is happening over the canvas, wires the view buttons and loads the program.
import {fitCanvas} from './page_layout.js';
import {PageStatus} from './page_status.js';
import {wireInput} from './page_input.js';
import {loadProgram} from './page_loading.js';
import {wireViewButtons} from './page_view_buttons.js';

const element = (id) => document.getElementById(id);
const canvas = element('canvas');
fitCanvas({canvas, stage: element('stage'), keys: element('keys'), footer: document.querySelector('footer')});
const input = wireInput({canvas, keys: element('keys'), softInput: element('typing')}, (focused) => status.focus(focused));
const status = new PageStatus(() => input.stop());
const starting = wireViewButtons({canvas, running: () => status.phase === 'running', picture: element('save-picture'),
                                  record: element('record'), share: element('share'), noticeElement: element('view-notice')});
loadProgram(canvas, input.queue, status, starting);
