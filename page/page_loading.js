// Loading: the program's script and its WebAssembly are fetched, and the WebAssembly compiled, from
// the page's start, while the fonts load and the program's script asks the browser for WebGL; the
// program starts only once all of that is done, since Canvas 2D measures with whatever font is
// loaded at that moment. The WebAssembly is fetched and compiled here rather than by emscripten's
// loader, so that a failure says which step failed. Also the service worker that lets a second
// visit work without a network.
import {texts} from './page_language.js';

const FACES = ['"Tessary Ming"', '"Tessary Hei"', '"Tessary Yen"'];

// Served as application/wasm, the program compiles while it downloads.
function compile() {
  return fetch('tessary.wasm').then((response) => {
    if (!response.ok) throw new Error('HTTP ' + response.status);
    if (WebAssembly.compileStreaming && response.headers.get('Content-Type') === 'application/wasm')
      return WebAssembly.compileStreaming(response);
    return response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
  });
}

// The program's WebAssembly compiled and its fonts loaded, asked for before the page does anything
// else: the first is the longest wait of the start.
export function fetchProgram() {
  return {compiled: compile(),
          fonts: Promise.all(FACES.map((f) => document.fonts.load('20px ' + f, '维0'))).catch(() => {})};
}

// Starts the program, `fetched` by fetchProgram, on `canvas` with the input `queue` and the CSS
// `cursors` it sets on the canvas (by WebHost.h's numbers), telling `status` how it goes, and
// `starting(Module)` once its code is ready, just before it starts. `Module` is the one name the
// program's loader and libraries look for on the page.
export function loadProgram({compiled, fonts}, {canvas, queue, cursors}, status, starting) {
  let webGlError = '', lastError = '';
  canvas.addEventListener('webglcontextcreationerror', (e) => {
    webGlError = e.statusMessage || 'webglcontextcreationerror';
  });
  window.Module = {
    canvas,
    input: queue,
    cursors,
    // Called by tessary.js as soon as it has run; the program starts when `receive` is called.
    instantiateWasm(imports, receive) {
      const failed = (e) => {
        if (e instanceof WebAssembly.CompileError || e instanceof WebAssembly.LinkError)
          status.stop('compile', String(e));
        else
          status.stop('fetch', 'tessary.wasm: ' + (e && e.message || e));
      };
      // The program's own failures, once it runs, are not the download's.
      const made = Promise.all([compiled, fonts]).then(([module]) =>
        WebAssembly.instantiate(module, imports).then((instance) => ({instance, module})));
      made.then(({instance, module}) => {
        if (status.stopped) return; // WebGL was refused meanwhile
        // The program draws its first frame before the page shows another, in this same task.
        canvas.classList.remove('waiting');
        canvas.focus({preventScroll: true});
        receive(instance, module);
      }, failed);
      return {};
    },
    arguments: [], // the program starts as with no arguments; a link's view comes after its start
    onRuntimeInitialized() {
      starting(window.Module);
      status.running(document.activeElement === canvas && document.hasFocus());
      registerWorker();
    },
    onAbort(what) { status.stop('abort', String(what)); },
    // Escape ends the program as it ends on the desktop. A program that fails ends with another
    // status, having said why on its standard error: the page shows that last line, or WebGL's own
    // reason when WebGL refused the canvas.
    onExit(code) {
      if (code === 0) status.stop();
      else if (webGlError) status.stop('webgl', webGlError);
      else status.stop('failed', lastError || 'exit ' + code);
    },
    // The program's script asks for its WebGL context as soon as it runs: a refusal ends the page
    // there, with WebGL's own reason, before the program starts.
    onGlContext(state) {
      if (state === 'refused') status.stop('webgl', webGlError || texts.noWebGl);
      else status.glContext(state);
    },
    print(text) { console.log(text); },
    printErr(text) {
      lastError = text;
      console.error(text);
    },
  };

  const script = document.createElement('script');
  script.src = 'tessary.js';
  script.onerror = () => status.stop('fetch', 'tessary.js');
  document.body.appendChild(script);
}

// The service worker's install fetches every file of the page again: it waits until the program
// has drawn and the browser has a moment to spare, so that it does not delay the first frame.
function registerWorker() {
  if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
  const register = () => navigator.serviceWorker.register('service_worker.js').catch(() => {});
  if (window.requestIdleCallback) requestIdleCallback(register, {timeout: 3000});
  else register();
}
