// Draws the README's picture of a model: the GLB of a view drawn by three.js in headless Chromium
// through the file's own camera, beside the window's PNG of the same view, both at half size, into
// one PNG. An independent renderer: nothing of the program's drawing code is used for the model.
// Needs `make test-models` (three.js in tests/models) and `make web-deps` (puppeteer-core).
// Usage: node tools/models/draw-glb.js TESSARY VIEW OUTPUT.png
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const ROOT = path.resolve(__dirname, '../..');
const {launch, close} = require(path.join(ROOT, 'tests/platform/web/browser.js'));
const THREE = path.join(ROOT, 'tests/models/node_modules/three');

const [tessary, view, output] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-model-picture-'));
const run = (file) => execFileSync(tessary, ['--render', path.join(work, file), '--view', view],
                                   {env: {...process.env, SDL_VIDEODRIVER: 'offscreen'}});
run('model.glb');
run('window.png');

// The page, the model, the picture and three.js's modules, served from a made-up origin.
const page = `<!doctype html><script type="importmap">{"imports": {"three": "/three/build/three.module.js",
  "three/addons/": "/three/examples/jsm/"}}</script><body style="margin:0;background:#000">
<script type="module">
import * as THREE from 'three';
import {GLTFLoader} from 'three/addons/loaders/GLTFLoader.js';
const gltf = await new GLTFLoader().loadAsync('/model.glb');
const renderer = new THREE.WebGLRenderer({antialias: true, preserveDrawingBuffer: true});
renderer.setSize(1024, 768);
document.body.appendChild(renderer.domElement);
const camera = gltf.cameras[0];
camera.updateMatrixWorld(true);
gltf.scene.add(new THREE.HemisphereLight(0xffffff, 0x404040, 1.5));
const light = new THREE.DirectionalLight(0xffffff, 2.5);
light.position.copy(camera.getWorldPosition(new THREE.Vector3()));
gltf.scene.add(light);
renderer.setClearColor(0x000000);
renderer.render(gltf.scene, camera);
// The two pictures side by side at half size.
const window = new Image();
window.src = '/window.png';
await window.decode();
const both = document.createElement('canvas');
[both.width, both.height] = [1024, 384];
const draw = both.getContext('2d');
draw.drawImage(window, 0, 0, 512, 384);
draw.drawImage(renderer.domElement, 512, 0, 512, 384);
document.title = both.toDataURL('image/png');
</script>`;

(async () => {
  const browser = await launch(['--use-gl=angle', '--use-angle=swiftshader']);
  try {
    const tab = await browser.newPage();
    await tab.setRequestInterception(true);
    tab.on('request', (request) => {
      const url = new URL(request.url());
      const file = url.pathname === '/' ? null
        : url.pathname.startsWith('/three/') ? path.join(THREE, url.pathname.slice(7)) : path.join(work, url.pathname);
      const types = {'.js': 'text/javascript', '.glb': 'model/gltf-binary', '.png': 'image/png'};
      if (!file) request.respond({contentType: 'text/html', body: page});
      else if (!fs.existsSync(file)) request.respond({status: 404, body: ''});
      else request.respond({contentType: types[path.extname(file)] || 'application/octet-stream', body: fs.readFileSync(file)});
    });
    tab.on('pageerror', (error) => console.error(error));
    await tab.goto('http://models.invalid/');
    await tab.waitForFunction(() => document.title.startsWith('data:image/png'), {timeout: 60000});
    const data = await tab.evaluate(() => document.title);
    fs.writeFileSync(output, Buffer.from(data.split(',')[1], 'base64'));
  } finally {
    await close(browser);
    fs.rmSync(work, {recursive: true, force: true});
  }
})();
