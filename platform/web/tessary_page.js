// The page around the program: it sizes the canvas to the screen, says what is happening (loading,
// paused, ended, failed), queues the input for the program, loads the fonts and then the program,
// and registers the service worker that lets a second visit work without a network.
(function () {
  'use strict';
  var canvas = document.getElementById('canvas');
  var screenBox = document.getElementById('screen');
  var stage = document.getElementById('stage');
  var keys = document.getElementById('keys');
  var footer = document.querySelector('footer');
  var status = document.getElementById('status');
  var unfocused = document.getElementById('unfocused');

  var running = false, ended = false, webGlError = '', lastError = '';

  // The program's window is 1024 x 768 pixels, shown at the largest 4:3 size that fits the viewport
  // beside everything else on the page, never larger than those pixels. On a touch screen the
  // on-screen keys go below the canvas or beside it, whichever leaves the canvas larger. The
  // drawing buffer has as many pixels as the canvas covers on the screen, up to twice its size on
  // the page each way (2048 x 1536 at most): beyond that a phone's or a software rasteriser's
  // fill cost grows faster than anyone can see the difference.
  var WINDOW = [1024, 768], MAX_PIXEL_RATIO = 2;
  var PAD = 8, GAP = 8, RING = 8, KEYS_BELOW = 56, KEYS_BESIDE = 180;
  function fit(width, height) { return Math.max(64, Math.min(1024, width, height * 4 / 3)); }
  function layout() {
    var coarse = window.matchMedia('(pointer: coarse)').matches;
    var width = document.documentElement.clientWidth - 2 * PAD - RING;
    var height = window.innerHeight - 2 * PAD - RING - GAP - footer.offsetHeight;
    var size = fit(width, height), beside = false;
    if (coarse) {
      var below = fit(width, height - KEYS_BELOW - GAP), side = fit(width - KEYS_BESIDE - GAP, height);
      beside = side > below;
      size = Math.max(below, side);
    }
    size = Math.floor(size);
    stage.classList.toggle('beside', beside);
    canvas.style.width = size + 'px';
    canvas.style.height = Math.floor(size * 3 / 4) + 'px';
    var ratio = Math.min(window.devicePixelRatio || 1, MAX_PIXEL_RATIO);
    var pixels = Math.round(size * ratio);
    if (canvas.width !== pixels) {
      canvas.width = pixels;
      canvas.height = Math.round(pixels * 3 / 4);
    }
    keys.style.width = beside ? KEYS_BESIDE + 'px' : size + 'px';
  }
  // Again whenever the viewport changes (a turned phone, a resized window) or only the canvas's
  // pixels on the screen do (a window dragged to another screen, a zoom), and once the page has its
  // fonts, which change the footer's height, and its final viewport, which a phone may settle late.
  window.addEventListener('resize', layout);
  if (window.ResizeObserver) {
    var onScreen = new ResizeObserver(function () { layout(); });
    try {
      onScreen.observe(canvas, {box: 'device-pixel-content-box'});
    } catch (e) {
      onScreen.observe(canvas);
    }
  }
  window.addEventListener('load', layout);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', layout);
  document.fonts.ready.then(layout);
  layout();

  function showUnfocused(focused) {
    screenBox.classList.toggle('focused', focused);
    unfocused.style.display = running && !ended && !focused ? 'block' : 'none';
  }

  // Says over the canvas what went wrong, in the page's language, with the browser's own words
  // beneath for whoever has to find the cause.
  function fail(text, reason) {
    ended = true;
    input.close();
    document.getElementById('ended').style.display = 'none';
    document.getElementById('status-text').textContent = text;
    document.getElementById('status-reason').textContent = reason || '';
    status.style.display = 'block';
    showUnfocused(false);
  }
  var FAILURES = {
    fetch: '无法下载程序文件，请检查网络后重新打开本页。',
    compile: '无法编译程序文件（WebAssembly）。',
    abort: '程序意外中止。',
    failed: '程序出错，已停止。',
    webgl: '此浏览器无法使用 WebGL，本程序需要它来绘图。',
  };

  var GL_CONTEXT = {
    lost: '浏览器暂时收回了绘图环境（WebGL），正在等待恢复……',
    failed: '绘图环境（WebGL）无法恢复。',
  };

  // Events wait in the input queue until the program's next look at its queue takes them.
  var input = TessaryInput.attach(canvas, {
    windowSize: WINDOW,
    softInput: document.getElementById('typing'),
    screenKeys: Array.prototype.slice.call(keys.querySelectorAll('button')),
    onFocus: showUnfocused,
  });
  document.getElementById('again').addEventListener('click', function () { location.reload(); });
  document.getElementById('lost-again').addEventListener('click', function () { location.reload(); });
  canvas.addEventListener('webglcontextcreationerror', function (e) {
    webGlError = e.statusMessage || 'webglcontextcreationerror';
  });

  // Whether this browser gives WebGL at all, asked of a canvas of its own: the program's canvas
  // keeps the context attributes of its first getContext, which must be the program's.
  function webGlProblem() {
    var probe = document.createElement('canvas'), reason = '';
    probe.addEventListener('webglcontextcreationerror', function (e) { reason = e.statusMessage || ''; });
    try {
      if (probe.getContext('webgl')) return '';
    } catch (e) {
      reason = String(e);
    }
    return reason || 'canvas.getContext("webgl") 返回 null';
  }

  window.Module = {
    canvas: canvas,
    input: input,
    // Fetched and compiled here rather than by the loader, so that a failure says which step failed.
    // Served as application/wasm, it compiles while it downloads.
    instantiateWasm: function (imports, receive) {
      var compileError = function (e) {
        return e instanceof WebAssembly.CompileError || e instanceof WebAssembly.LinkError;
      };
      fetch('tessary.wasm')
        .then(function (response) {
          if (!response.ok) throw new Error('HTTP ' + response.status);
          var streamed = WebAssembly.instantiateStreaming &&
                         response.headers.get('Content-Type') === 'application/wasm';
          if (streamed) return WebAssembly.instantiateStreaming(response, imports);
          return response.arrayBuffer().then(function (bytes) { return WebAssembly.instantiate(bytes, imports); });
        })
        // The program's own failures, once it runs, are not the download's.
        .then(function (result) { receive(result.instance, result.module); }, function (e) {
          if (compileError(e)) fail(FAILURES.compile, String(e));
          else fail(FAILURES.fetch, 'tessary.wasm: ' + (e && e.message || e));
        });
      return {};
    },
    onRuntimeInitialized: function () {
      running = true;
      status.style.display = 'none';
      showUnfocused(document.activeElement === canvas && document.hasFocus());
    },
    onAbort: function (what) { fail(FAILURES.abort, String(what)); },
    // Escape ends the program as it ends on the desktop; the page says so and offers a new start.
    // A program that fails ends with another status, having said why on its standard error: the
    // page shows that last line, or WebGL's own reason when WebGL refused the canvas.
    onExit: function (status) {
      window.tessaryExitStatus = status;
      if (status !== 0) {
        if (webGlError) fail(FAILURES.webgl, webGlError);
        else fail(FAILURES.failed, lastError || 'exit ' + status);
        return;
      }
      ended = true;
      input.close();
      document.getElementById('ended').style.display = 'block';
      showUnfocused(false);
    },
    // The browser took the WebGL context away (a phone does when the tab goes to the background),
    // gave it back, or could not: the page says so while the picture is gone.
    onGlContext: function (state) {
      var lost = document.getElementById('lost');
      document.getElementById('lost-text').textContent = state === 'failed' ? GL_CONTEXT.failed : GL_CONTEXT.lost;
      lost.style.display = state === 'restored' || ended ? 'none' : 'block';
    },
    print: function (text) { console.log(text); },
    printErr: function (text) {
      lastError = text;
      console.error(text);
    },
  };

  function loadProgram() {
    var problem = webGlProblem();
    if (problem) {
      fail(FAILURES.webgl, problem);
      return;
    }
    canvas.focus({preventScroll: true});
    var script = document.createElement('script');
    script.src = 'tessary.js';
    script.onerror = function () { fail(FAILURES.fetch, 'tessary.js'); };
    document.body.appendChild(script);
  }

  status.style.display = 'block';
  // Canvas 2D measures with whatever font is loaded at that moment, so the program starts only once
  // all three faces are.
  var faces = ['"Tessary Ming"', '"Tessary Hei"', '"Tessary Yen"'];
  Promise.all(faces.map(function (f) { return document.fonts.load('20px ' + f, '维0'); }))
    .catch(function () {})
    .then(loadProgram);

  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('service_worker.js').catch(function () {});
})();
