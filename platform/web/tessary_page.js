// The page around the program: it fits the canvas to the screen, wires the input to the program,
// says what is happening over the canvas, and loads the program.
import {fitCanvas} from './page_layout.js';
import {PageStatus} from './page_status.js';
import {wireInput} from './page_input.js';
import {loadProgram} from './page_loading.js';

const element = (id) => document.getElementById(id);
const canvas = element('canvas');
fitCanvas({canvas, stage: element('stage'), keys: element('keys'), footer: document.querySelector('footer')});
const input = wireInput({canvas, keys: element('keys'), softInput: element('typing')}, (focused) => status.focus(focused));
const status = new PageStatus(() => input.close());
loadProgram(canvas, input, status);
