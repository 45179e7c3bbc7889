// Loading: the fonts first, since Canvas 2D measures with whatever font is loaded at that moment;
// then a check that the browser gives WebGL at all; then the program, whose WebAssembly is fetched
// and compiled here rather than by emscripten's loader, so that a failure says which step failed.
// Also the service worker that lets a second visit work without a network.
const FACES = ['"Tessary Ming"', '"Tessary Hei"', '"Tessary Yen"'];

// Whether this browser gives WebGL at all, asked of a canvas of its own: the program's canvas
// keeps the context attributes of its first getContext, which must be the program's.
function webGlProblem() {
  const probe = document.createElement('canvas');
  let reason = '';
  probe.addEventListener('webglcontextcreationerror', (e) => { reason = e.statusMessage || ''; });
  try {
    if (probe.getContext('webgl')) return '';
  } catch (e) {
    reason = String(e);
  }
  return reason || 'canvas.getContext("webgl") 返回 null';
}

// Served as application/wasm, the program compiles while it downloads.
function instantiate(imports) {
  return fetch('tessary.wasm').then((response) => {
    if (!response.ok) throw new Error('HTTP ' + response.status);
    if (WebAssembly.instantiateStreaming && response.headers.get('Content-Type') === 'application/wasm')
      return WebAssembly.instantiateStreaming(response, imports);
    return response.arrayBuffer().then((bytes) => WebAssembly.instantiate(bytes, imports));
  });
}

// Starts the program on `canvas` with the input `queue`, telling `status` how it goes. `Module` is
// the one name the program's loader and libraries look for on the page.
export function loadProgram(canvas, queue, status) {
  let webGlError = '', lastError = '';
  canvas.addEventListener('webglcontextcreationerror', (e) => {
    webGlError = e.statusMessage || 'webglcontextcreationerror';
  });
  window.Module = {
    canvas,
    pendingInput: queue,
    instantiateWasm(imports, receive) {
      // The program's own failures, once it runs, are not the download's.
      instantiate(imports).then((result) => receive(result.instance, result.module), (e) => {
        if (e instanceof WebAssembly.CompileError || e instanceof WebAssembly.LinkError)
          status.stop('compile', String(e));
        else
          status.stop('fetch', 'tessary.wasm: ' + (e && e.message || e));
      });
      return {};
    },
    onRuntimeInitialized() { status.running(document.activeElement === canvas && document.hasFocus()); },
    onAbort(what) { status.stop('abort', String(what)); },
    // Escape ends the program as it ends on the desktop. A program that fails ends with another
    // status, having said why on its standard error: the page shows that last line, or WebGL's own
    // reason when WebGL refused the canvas.
    onExit(code) {
      if (code === 0) status.stop();
      else if (webGlError) status.stop('webgl', webGlError);
      else status.stop('failed', lastError || 'exit ' + code);
    },
    onGlContext(state) { status.glContext(state); },
    print(text) { console.log(text); },
    printErr(text) {
      lastError = text;
      console.error(text);
    },
  };

  const start = () => {
    const problem = webGlProblem();
    if (problem) {
      status.stop('webgl', problem);
      return;
    }
    canvas.focus({preventScroll: true});
    const script = document.createElement('script');
    script.src = 'tessary.js';
    script.onerror = () => status.stop('fetch', 'tessary.js');
    document.body.appendChild(script);
  };
  Promise.all(FACES.map((f) => document.fonts.load('20px ' + f, '维0'))).catch(() => {}).then(start);

  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('service_worker.js').catch(() => {});
}
