// The device side of the desktop-GL emulation: one WebGL context on the page's canvas, one shader
// program with switches for texturing (modulated by the vertex colour), linear fog and smoothed-line
// coverage, and the batches the C++ pipeline hands over, already in clip space. A frame's batches
// arrive together (WebGlSink.cpp): their vertices in one upload, then one draw each, its state
// read from the heap and compared with what the device has as numbers, so that a frame makes no
// garbage. The heap is read through the byte offsets of $tessaryGlLayout, which the build writes
// from the records of GlRecords.h (heap_layout.js); each table is named after its C++ struct.
mergeInto(LibraryManager.library, {
  $TessaryGl__deps: ['$tessaryTextureCopies', '$tessaryGlLayout'],
  $TessaryGl__postset: "TessaryGl.early = TessaryGl.start(Module['canvas'] || document.getElementById('canvas'));",
  $TessaryGl: {
    gl: null,
    program: null,
    buffer: null,
    locations: null,
    textures: {},
    // What the device has, compared field by field with each draw's state.
    applied: null,
    vertexSource: [
      'attribute vec4 aPosition; attribute vec4 aColour; attribute vec2 aTexCoord;',
      'attribute float aFogDistance; attribute vec2 aEdge;',
      'varying vec4 vColour; varying vec2 vTexCoord; varying float vFogDistance; varying vec2 vEdge;',
      'void main() {',
      '  gl_Position = aPosition; vColour = aColour; vTexCoord = aTexCoord;',
      '  vFogDistance = aFogDistance; vEdge = aEdge;',
      '}'].join('\n'),
    fragmentSource: [
      'precision highp float;',
      'uniform bool uTextured; uniform bool uFog; uniform sampler2D uTexture;',
      'uniform float uFogStart; uniform float uFogEnd; uniform vec3 uFogColour;',
      'varying vec4 vColour; varying vec2 vTexCoord; varying float vFogDistance; varying vec2 vEdge;',
      'void main() {',
      '  vec4 c = clamp(vColour, 0.0, 1.0);',
      '  if (uTextured) c *= texture2D(uTexture, vTexCoord);',
      '  if (uFog) {',
      '    float f = clamp((uFogEnd - vFogDistance) / (uFogEnd - uFogStart), 0.0, 1.0);',
      '    c.rgb = mix(uFogColour, c.rgb, f);',
      '  }',
      '  c.a *= clamp(vEdge.y + 0.5 - abs(vEdge.x), 0.0, 1.0);',
      '  gl_FragColor = c;',
      '}'].join('\n'),

    // What the program draws into: an opaque canvas, a depth buffer, no antialiasing (the pipeline
    // smooths its own lines), colours as the pipeline blends them.
    ATTRIBUTES: {alpha: false, depth: true, stencil: false, antialias: false, premultipliedAlpha: false,
                 preserveDrawingBuffer: false},
    // The context and its shaders, asked for when this script runs: the GPU process makes them
    // while the program's code compiles and its fonts load, and tessary_gl_create finds them
    // ready. A browser that refuses WebGL is told to the page at once (onGlContext 'refused'), so
    // that the program does not start only to fail.
    early: null,
    start: function(canvas) {
      var gl = canvas.getContext('webgl', TessaryGl.ATTRIBUTES);
      if (!gl && Module['onGlContext']) Module['onGlContext']('refused');
      return {gl: gl, shaders: gl ? TessaryGl.begin(gl) : null};
    },

    // Compiles and links the shader program without waiting for the GPU process to finish.
    begin: function(gl) {
      var shader = function(type, source) {
        var s = gl.createShader(type);
        gl.shaderSource(s, source);
        gl.compileShader(s);
        return s;
      };
      var vertex = shader(gl.VERTEX_SHADER, TessaryGl.vertexSource);
      var fragment = shader(gl.FRAGMENT_SHADER, TessaryGl.fragmentSource);
      var program = gl.createProgram();
      gl.attachShader(program, vertex);
      gl.attachShader(program, fragment);
      gl.bindAttribLocation(program, 0, 'aPosition');
      gl.linkProgram(program);
      return {vertex: vertex, fragment: fragment, program: program};
    },

    // The program, its vertex layout and the fixed settings, on a new context or on one the
    // browser has given back; false when the shaders do not compile or link: the context is then
    // refused, as a desktop driver refuses a pixel format, and the program's own start-up failure
    // takes over.
    finish: function(gl, shaders) {
      var program = shaders.program;
      if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
        console.warn('shaders: ' + [gl.getShaderInfoLog(shaders.vertex), gl.getShaderInfoLog(shaders.fragment),
                                    gl.getProgramInfoLog(program)].join(' ').trim());
        return false;
      }
      gl.useProgram(program);
      var names = ['uTextured', 'uFog', 'uTexture', 'uFogStart', 'uFogEnd', 'uFogColour'];
      var locations = {};
      names.forEach(function(n) { locations[n] = gl.getUniformLocation(program, n); });
      var GlVertex = tessaryGlLayout.GlVertex;
      var attributes = [['aPosition', 4, GlVertex.x], ['aColour', 4, GlVertex.r],
                        ['aTexCoord', 2, GlVertex.s], ['aFogDistance', 1, GlVertex.fogDistance],
                        ['aEdge', 2, GlVertex.across]];
      var buffer = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
      attributes.forEach(function(a) {
        var at = gl.getAttribLocation(program, a[0]);
        gl.enableVertexAttribArray(at);
        gl.vertexAttribPointer(at, a[1], gl.FLOAT, false, GlVertex.size, a[2]);
      });
      gl.uniform1i(locations.uTexture, 0);
      gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
      gl.depthFunc(gl.LESS);
      TessaryGl.program = program;
      TessaryGl.buffer = buffer;
      TessaryGl.locations = locations;
      TessaryGl.applied = TessaryGl.fresh(gl);
      return true;
    },
    build: function(gl) { return TessaryGl.finish(gl, TessaryGl.begin(gl)); },

    // What each live texture was given, kept to upload it again on a context the browser gives
    // back: its parameters, and its image (library_texture_copies.js).
    copies: {},
    images: null,
    copy: function(name) {
      return TessaryGl.copies[name] || (TessaryGl.copies[name] = {width: 0, height: 0, image: null, parameters: null});
    },
    upload: function(name, copy) {
      var gl = TessaryGl.gl;
      TessaryGl.bind(name);
      if (copy.image)
        gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, copy.width, copy.height, 0, gl.RGBA, gl.UNSIGNED_BYTE,
                      TessaryGl.images.unpack(copy.image, copy.width * copy.height));
      if (copy.parameters) TessaryGl.parameters(copy.parameters);
    },
    // Minification and magnification filters, wrap s and t, of the bound texture.
    parameters: function(p) {
      var gl = TessaryGl.gl;
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, p[0]);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, p[1]);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, p[2]);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, p[3]);
    },
    // Packing a copy takes longer than uploading it, and the program's first frames upload all
    // its labels: the copies are kept as they are until the browser has a moment to spare.
    unpacked: {},
    packLater: function(name) {
      var waiting = Object.keys(TessaryGl.unpacked).length > 0;
      TessaryGl.unpacked[name] = true;
      if (waiting) return;
      var later = typeof requestIdleCallback === 'function' ? requestIdleCallback : setTimeout;
      later(function() {
        for (var n in TessaryGl.unpacked) {
          var copy = TessaryGl.copies[n];
          if (copy && copy.image && copy.image.texels) copy.image = TessaryGl.images.pack(copy.image.texels);
        }
        TessaryGl.unpacked = {};
      });
    },
    restoreTextures: function() {
      TessaryGl.textures = {};
      for (var name in TessaryGl.copies) TessaryGl.upload(Number(name), TessaryGl.copies[name]);
    },

    // The state WebGL starts a context in (uniforms start at 0, no texture is bound), but for the
    // viewport and the scissor box, which WebGL sets to the drawing buffer's size when the context is
    // made and the canvas may have been resized since: they are set here. Small integers
    // throughout, which V8 keeps unboxed, so that comparing them allocates nothing.
    fresh: function(gl) {
      var w = gl.drawingBufferWidth, h = gl.drawingBufferHeight;
      gl.viewport(0, 0, w, h);
      gl.scissor(0, 0, w, h);
      return {scissor: 0, sx: 0, sy: 0, sw: w, sh: h, vx: 0, vy: 0, vw: w, vh: h, blend: 0,
              blendSource: gl.ONE, blendDestination: gl.ZERO, depth: 0, cull: 0, cullMode: gl.BACK,
              frontFace: gl.CCW, textured: 0, texture: 0, fog: 0, fogStart: 0, fogEnd: 0, fogR: 0, fogG: 0,
              fogB: 0};
    },

    // Each takes the word index of a draw's state (or of a box) in the heap.
    enable: function(capability, on, was) {
      if (on === was) return on;
      if (on) TessaryGl.gl.enable(capability); else TessaryGl.gl.disable(capability);
      return on;
    },

    scissor: function(on, box) {
      var gl = TessaryGl.gl, a = TessaryGl.applied, Box = tessaryGlLayout.Box;
      a.scissor = TessaryGl.enable(gl.SCISSOR_TEST, on, a.scissor);
      if (!on) return;
      var x = HEAP32[box + (Box.x >> 2)], y = HEAP32[box + (Box.y >> 2)];
      var w = HEAP32[box + (Box.width >> 2)], h = HEAP32[box + (Box.height >> 2)];
      if (x === a.sx && y === a.sy && w === a.sw && h === a.sh) return;
      gl.scissor(x, y, w, h);
      a.sx = x; a.sy = y; a.sw = w; a.sh = h;
    },

    apply: function(r) {
      var gl = TessaryGl.gl, a = TessaryGl.applied, L = TessaryGl.locations;
      var DrawState = tessaryGlLayout.DrawState, Box = tessaryGlLayout.Box;
      var v = r + (DrawState.viewport >> 2);
      var vx = HEAP32[v + (Box.x >> 2)], vy = HEAP32[v + (Box.y >> 2)];
      var vw = HEAP32[v + (Box.width >> 2)], vh = HEAP32[v + (Box.height >> 2)];
      if (vx !== a.vx || vy !== a.vy || vw !== a.vw || vh !== a.vh) {
        gl.viewport(vx, vy, vw, vh);
        a.vx = vx; a.vy = vy; a.vw = vw; a.vh = vh;
      }
      TessaryGl.scissor(HEAP32[r + (DrawState.scissor >> 2)], r + (DrawState.scissorBox >> 2));
      var blend = HEAP32[r + (DrawState.blend >> 2)];
      a.blend = TessaryGl.enable(gl.BLEND, blend, a.blend);
      if (blend) {
        var source = HEAP32[r + (DrawState.blendSource >> 2)];
        var destination = HEAP32[r + (DrawState.blendDestination >> 2)];
        if (source !== a.blendSource || destination !== a.blendDestination) {
          gl.blendFunc(source, destination);
          a.blendSource = source; a.blendDestination = destination;
        }
      }
      a.depth = TessaryGl.enable(gl.DEPTH_TEST, HEAP32[r + (DrawState.depthTest >> 2)], a.depth);
      var cull = HEAP32[r + (DrawState.cullFace >> 2)];
      a.cull = TessaryGl.enable(gl.CULL_FACE, cull, a.cull);
      if (cull) {
        var mode = HEAP32[r + (DrawState.cullMode >> 2)], front = HEAP32[r + (DrawState.frontFace >> 2)];
        if (mode !== a.cullMode) gl.cullFace(a.cullMode = mode);
        if (front !== a.frontFace) gl.frontFace(a.frontFace = front);
      }
      var texture = HEAP32[r + (DrawState.texture >> 2)], textured = texture ? 1 : 0;
      if (textured !== a.textured) gl.uniform1i(L.uTextured, a.textured = textured);
      if (texture && texture !== a.texture) {
        gl.bindTexture(gl.TEXTURE_2D, TessaryGl.textures[texture]);
        a.texture = texture;
      }
      var fog = HEAP32[r + (DrawState.fog >> 2)];
      if (fog !== a.fog) gl.uniform1i(L.uFog, a.fog = fog);
      if (fog) {
        var start = HEAPF32[r + (DrawState.fogStart >> 2)], end = HEAPF32[r + (DrawState.fogEnd >> 2)];
        if (start !== a.fogStart || end !== a.fogEnd) {
          gl.uniform1f(L.uFogStart, a.fogStart = start);
          gl.uniform1f(L.uFogEnd, a.fogEnd = end);
        }
        var c = r + (DrawState.fogColour >> 2);
        var red = HEAPF32[c], green = HEAPF32[c + 1], blue = HEAPF32[c + 2];
        if (red !== a.fogR || green !== a.fogG || blue !== a.fogB) {
          gl.uniform3f(L.uFogColour, red, green, blue);
          a.fogR = red; a.fogG = green; a.fogB = blue;
        }
      }
    },

    // The texture unit's binding changes for uploads too.
    bind: function(name) {
      var gl = TessaryGl.gl;
      var t = TessaryGl.textures[name] || (TessaryGl.textures[name] = gl.createTexture());
      gl.bindTexture(gl.TEXTURE_2D, t);
      TessaryGl.applied.texture = name;
    },
  },

  tessary_gl_create__deps: ['$TessaryGl'],
  tessary_gl_create__sig: 'i',
  tessary_gl_create: function() {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    var early = TessaryGl.early || TessaryGl.start(canvas), gl = early.gl;
    TessaryGl.early = null;
    if (!gl || !TessaryGl.finish(gl, early.shaders)) return 0;
    TessaryGl.gl = gl;
    // A palette of 4096 texels, 16 KB, holds the labels' few hundred many times over.
    TessaryGl.images = tessaryTextureCopies(4096);
    // A phone takes the context back whenever the tab goes to the background. Preventing the
    // default lets the browser give it back; the program goes on drawing meanwhile, into nothing,
    // and its next frame after the rebuild is the picture it had.
    canvas.addEventListener('webglcontextlost', function (e) {
      e.preventDefault();
      if (Module['onGlContext']) Module['onGlContext']('lost');
    });
    canvas.addEventListener('webglcontextrestored', function () {
      var ok = TessaryGl.build(gl);
      if (ok) TessaryGl.restoreTextures();
      if (Module['onGlContext']) Module['onGlContext'](ok ? 'restored' : 'failed');
    });
    return 1;
  },

  tessary_gl_drawing_width__deps: ['$TessaryGl'],
  tessary_gl_drawing_width__sig: 'i',
  tessary_gl_drawing_width: function() {
    return TessaryGl.gl ? TessaryGl.gl.drawingBufferWidth : 0;
  },

  // The queued draws of a frame: `vertexCount` vertices from `vertices` in one upload, then
  // `drawCount` draws from `draws`, each a range of them in its own state.
  tessary_gl_submit__deps: ['$TessaryGl'],
  tessary_gl_submit__sig: 'viiii',
  tessary_gl_submit: function(draws, drawCount, vertices, vertexCount) {
    var gl = TessaryGl.gl, QueuedDraw = tessaryGlLayout.QueuedDraw, DrawState = tessaryGlLayout.DrawState;
    if (!gl) return;
    var bytes = vertexCount * tessaryGlLayout.GlVertex.size;
    gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(vertices, vertices + bytes), gl.STREAM_DRAW);
    for (var i = 0; i < drawCount; ++i) {
      var draw = draws + i * QueuedDraw.size, state = (draw + QueuedDraw.state) >> 2;
      TessaryGl.apply(state);
      gl.drawArrays(HEAP32[state + (DrawState.primitive >> 2)], HEAP32[(draw + QueuedDraw.first) >> 2],
                    HEAP32[(draw + QueuedDraw.count) >> 2]);
    }
  },

  tessary_gl_clear__deps: ['$TessaryGl'],
  tessary_gl_clear__sig: 'viffffii',
  tessary_gl_clear: function(mask, r, g, b, a, scissor, box) {
    var gl = TessaryGl.gl;
    if (!gl) return;
    TessaryGl.scissor(scissor, box >> 2);
    gl.clearColor(r, g, b, a);
    gl.clear(mask & (gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT));
  },

  tessary_gl_tex_image__deps: ['$TessaryGl'],
  tessary_gl_tex_image__sig: 'viiii',
  tessary_gl_tex_image: function(name, width, height, pixels) {
    if (!TessaryGl.gl) return;
    var copy = TessaryGl.copy(name);
    copy.width = width;
    copy.height = height;
    copy.image = {texels: HEAPU32.slice(pixels >> 2, (pixels >> 2) + width * height)};
    TessaryGl.packLater(name);
    var gl = TessaryGl.gl;
    TessaryGl.bind(name);
    gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, width, height, 0, gl.RGBA, gl.UNSIGNED_BYTE,
                  HEAPU8.subarray(pixels, pixels + width * height * 4));
  },

  tessary_gl_tex_parameters__deps: ['$TessaryGl'],
  tessary_gl_tex_parameters__sig: 'viiiii',
  tessary_gl_tex_parameters: function(name, minFilter, magFilter, wrapS, wrapT) {
    if (!TessaryGl.gl) return;
    var p = TessaryGl.copy(name).parameters = [minFilter, magFilter, wrapS, wrapT];
    TessaryGl.bind(name);
    TessaryGl.parameters(p);
  },

  tessary_gl_delete_texture__deps: ['$TessaryGl'],
  tessary_gl_delete_texture__sig: 'vi',
  tessary_gl_delete_texture: function(name) {
    var gl = TessaryGl.gl;
    delete TessaryGl.copies[name];
    if (!gl || !TessaryGl.textures[name]) return;
    gl.deleteTexture(TessaryGl.textures[name]);
    delete TessaryGl.textures[name];
    if (TessaryGl.applied.texture === name) TessaryGl.applied.texture = 0;
  },
});
