// The device side of the desktop-GL emulation: one WebGL context on the page's canvas, one shader
// program with switches for texturing (modulated by the vertex colour), linear fog and smoothed-line
// coverage, and the batches the C++ pipeline hands over, already in clip space.
mergeInto(LibraryManager.library, {
  $TessaryGl: {
    gl: null,
    program: null,
    buffer: null,
    locations: null,
    textures: {},
    state: {},
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

    // The shader, or null when it does not compile: the context is then refused, as a desktop
    // driver refuses a pixel format, and the program's own start-up failure takes over.
    compile: function(gl, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      if (gl.getShaderParameter(shader, gl.COMPILE_STATUS)) return shader;
      console.warn('shader: ' + gl.getShaderInfoLog(shader));
      return null;
    },

    // Sets a piece of device state only when it changes; batches repeat most of it.
    set: function(key, value, apply) {
      if (TessaryGl.state[key] === value) return;
      TessaryGl.state[key] = value;
      apply(value);
    },

    toggle: function(key, capability, on) {
      var gl = TessaryGl.gl;
      TessaryGl.set(key, on, function(v) { if (v) gl.enable(capability); else gl.disable(capability); });
    },
  },

  tessary_gl_create__deps: ['$TessaryGl'],
  tessary_gl_create: function() {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    var gl = canvas.getContext('webgl', {alpha: false, depth: true, stencil: false, antialias: false,
                                         premultipliedAlpha: false, preserveDrawingBuffer: false});
    if (!gl) return 0;
    var vertex = TessaryGl.compile(gl, gl.VERTEX_SHADER, TessaryGl.vertexSource);
    var fragment = TessaryGl.compile(gl, gl.FRAGMENT_SHADER, TessaryGl.fragmentSource);
    if (!vertex || !fragment) return 0;
    var program = gl.createProgram();
    gl.attachShader(program, vertex);
    gl.attachShader(program, fragment);
    gl.bindAttribLocation(program, 0, 'aPosition');
    gl.linkProgram(program);
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) return 0;
    gl.useProgram(program);
    var names = ['uTextured', 'uFog', 'uTexture', 'uFogStart', 'uFogEnd', 'uFogColour'];
    var locations = {};
    names.forEach(function(n) { locations[n] = gl.getUniformLocation(program, n); });
    var attributes = [['aPosition', 4, 0], ['aColour', 4, 16], ['aTexCoord', 2, 32],
                      ['aFogDistance', 1, 40], ['aEdge', 2, 44]];
    var buffer = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, buffer);
    attributes.forEach(function(a) {
      var at = gl.getAttribLocation(program, a[0]);
      gl.enableVertexAttribArray(at);
      gl.vertexAttribPointer(at, a[1], gl.FLOAT, false, 52, a[2]);
    });
    gl.uniform1i(locations.uTexture, 0);
    gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
    gl.depthFunc(gl.LESS);
    TessaryGl.gl = gl;
    TessaryGl.program = program;
    TessaryGl.buffer = buffer;
    TessaryGl.locations = locations;
    TessaryGl.state = {};
    return 1;
  },

  tessary_gl_draw__deps: ['$TessaryGl'],
  tessary_gl_draw: function(lines, texture, fog, fogStart, fogEnd, fogColour, blend, blendSource,
                            blendDestination, depthTest, cullFace, cullMode, frontFace, scissor, sx, sy,
                            sw, sh, vx, vy, vw, vh, vertices, count) {
    var gl = TessaryGl.gl, L = TessaryGl.locations, set = TessaryGl.set;
    if (!gl) return;
    set('viewport', [vx, vy, vw, vh].join(), function() { gl.viewport(vx, vy, vw, vh); });
    TessaryGl.toggle('scissor', gl.SCISSOR_TEST, !!scissor);
    if (scissor) set('scissorBox', [sx, sy, sw, sh].join(), function() { gl.scissor(sx, sy, sw, sh); });
    TessaryGl.toggle('blend', gl.BLEND, !!blend);
    if (blend)
      set('blendFunc', blendSource + ',' + blendDestination,
          function() { gl.blendFunc(blendSource, blendDestination); });
    TessaryGl.toggle('depth', gl.DEPTH_TEST, !!depthTest);
    TessaryGl.toggle('cull', gl.CULL_FACE, !!cullFace);
    if (cullFace) {
      set('cullMode', cullMode, function(v) { gl.cullFace(v); });
      set('frontFace', frontFace, function(v) { gl.frontFace(v); });
    }
    set('textured', !!texture, function(v) { gl.uniform1i(L.uTextured, v ? 1 : 0); });
    if (texture) set('texture', texture, function(v) { gl.bindTexture(gl.TEXTURE_2D, TessaryGl.textures[v]); });
    set('fog', !!fog, function(v) { gl.uniform1i(L.uFog, v ? 1 : 0); });
    if (fog) {
      set('fogRange', fogStart + ',' + fogEnd, function() {
        gl.uniform1f(L.uFogStart, fogStart);
        gl.uniform1f(L.uFogEnd, fogEnd);
      });
      var c = HEAPF32.subarray(fogColour >> 2, (fogColour >> 2) + 3);
      set('fogColour', c.join(), function() { gl.uniform3f(L.uFogColour, c[0], c[1], c[2]); });
    }
    gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(vertices, vertices + count * 52), gl.STREAM_DRAW);
    gl.drawArrays(lines ? gl.LINES : gl.TRIANGLES, 0, count);
  },

  tessary_gl_clear__deps: ['$TessaryGl'],
  tessary_gl_clear: function(mask, r, g, b, a, scissor, sx, sy, sw, sh) {
    var gl = TessaryGl.gl;
    if (!gl) return;
    TessaryGl.toggle('scissor', gl.SCISSOR_TEST, !!scissor);
    if (scissor) TessaryGl.set('scissorBox', [sx, sy, sw, sh].join(), function() { gl.scissor(sx, sy, sw, sh); });
    gl.clearColor(r, g, b, a);
    gl.clear(mask & (gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT));
  },

  tessary_gl_tex_image__deps: ['$TessaryGl'],
  tessary_gl_tex_image: function(name, width, height, pixels) {
    var gl = TessaryGl.gl;
    if (!gl) return;
    var t = TessaryGl.textures[name] || (TessaryGl.textures[name] = gl.createTexture());
    gl.bindTexture(gl.TEXTURE_2D, t);
    gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, width, height, 0, gl.RGBA, gl.UNSIGNED_BYTE,
                  HEAPU8.subarray(pixels, pixels + width * height * 4));
    TessaryGl.state.texture = name;
  },

  tessary_gl_tex_parameters__deps: ['$TessaryGl'],
  tessary_gl_tex_parameters: function(name, minFilter, magFilter, wrapS, wrapT) {
    var gl = TessaryGl.gl;
    if (!gl) return;
    var t = TessaryGl.textures[name] || (TessaryGl.textures[name] = gl.createTexture());
    gl.bindTexture(gl.TEXTURE_2D, t);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, minFilter);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, magFilter);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, wrapS);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, wrapT);
    TessaryGl.state.texture = name;
  },

  tessary_gl_delete_texture__deps: ['$TessaryGl'],
  tessary_gl_delete_texture: function(name) {
    var gl = TessaryGl.gl;
    if (!gl || !TessaryGl.textures[name]) return;
    gl.deleteTexture(TessaryGl.textures[name]);
    delete TessaryGl.textures[name];
    if (TessaryGl.state.texture === name) delete TessaryGl.state.texture;
  },
});
