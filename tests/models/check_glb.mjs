// Reads every GLB of a manifest (written by check_models.py) with tools nobody here wrote: the Khronos
// glTF validator must report no error and no warning, and three.js's GLTFLoader must load it, its
// bounding box as large as asked, in metres, standing on y = 0 over the origin. The ball centres it
// reads must be the view's vertices under one scale and shift, and its camera must put them where the
// window's lens puts the view's vertices in a 1024 x 768 picture. One line per fault; exit 1 if any.
import {readFileSync} from 'node:fs';
import validator from 'gltf-validator';
import * as THREE from 'three';
import {GLTFLoader} from 'three/examples/jsm/loaders/GLTFLoader.js';

const manifest = JSON.parse(readFileSync(process.argv[2], 'utf8'));
let faults = 0;
const fault = (name, what) => {
  faults++;
  console.log(`FAIL ${name}: ${what}`);
};

function load(bytes) {
  const buffer = bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength);
  return new Promise((resolve, reject) => new GLTFLoader().parse(buffer, '', resolve, reject));
}

// The centres of the shells of a mesh: its vertices joined by its triangles, averaged.
function shellCentres(mesh) {
  const position = mesh.geometry.getAttribute('position');
  const index = mesh.geometry.getIndex();
  const parent = Array.from({length: position.count}, (_, i) => i);
  const root = (i) => {
    while (parent[i] !== i) i = parent[i] = parent[parent[i]];
    return i;
  };
  for (let t = 0; t < index.count; t += 3)
    for (let k = 1; k < 3; k++) parent[root(index.getX(t + k))] = root(index.getX(t));
  const sums = new Map();
  mesh.updateWorldMatrix(true, false);
  for (let i = 0; i < position.count; i++) {
    const p = new THREE.Vector3().fromBufferAttribute(position, i).applyMatrix4(mesh.matrixWorld);
    const r = root(i);
    const sum = sums.get(r) || {p: new THREE.Vector3(), count: 0};
    sum.p.add(p);
    sum.count++;
    sums.set(r, sum);
  }
  return [...sums.values()].map((s) => s.p.divideScalar(s.count));
}

// The window's lens: gluLookAt from the eye to the origin, gluPerspective of 50 degrees at 4:3.
function windowPicture(eye, up, p) {
  const e = new THREE.Vector3(...eye);
  const forward = e.clone().negate().normalize();
  const side = forward.clone().cross(new THREE.Vector3(...up)).normalize();
  const top = side.clone().cross(forward);
  const d = new THREE.Vector3(...p).sub(e);
  const depth = d.dot(forward);
  const cot = 1 / Math.tan((25 * Math.PI) / 180);
  return [512 + ((d.dot(side) / depth) * cot * 0.75 * 512), 384 - ((d.dot(top) / depth) * cot * 384)];
}

for (const entry of manifest) {
  const name = entry.file;
  const bytes = new Uint8Array(readFileSync(name));
  const report = await validator.validateBytes(bytes);
  const {numErrors, numWarnings} = report.issues;
  if (numErrors || numWarnings) {
    const messages = report.issues.messages.filter((m) => m.severity <= 1).slice(0, 5);
    fault(name, `validator: ${numErrors} errors, ${numWarnings} warnings: ${JSON.stringify(messages)}`);
  }
  let gltf;
  try {
    gltf = await load(bytes);
  } catch (error) {
    fault(name, `three.js cannot load it: ${error}`);
    continue;
  }
  const byName = (wanted) => gltf.scene.getObjectByName(wanted);
  const solid = new THREE.Box3();
  for (const part of ['edges', 'vertices']) {
    const node = byName(part);
    if (!node) fault(name, `no node ${part}`);
    else solid.expandByObject(node);
  }
  if (entry.faces !== !!byName('faces')) fault(name, `faces node ${!!byName('faces')}, the view's faces ${entry.faces}`);
  const size = solid.getSize(new THREE.Vector3());
  const largest = Math.max(size.x, size.y, size.z);
  const metres = entry.size / 1000;
  if (Math.abs(largest - metres) > 1e-6 * metres) fault(name, `largest extent ${largest} m, asked ${metres} m`);
  if (Math.abs(solid.min.y) > 1e-7) fault(name, `lowest y ${solid.min.y}, not on y = 0`);
  if (Math.abs(solid.min.x + solid.max.x) > 1e-7 || Math.abs(solid.min.z + solid.max.z) > 1e-7)
    fault(name, `not centred over the origin: x ${solid.min.x}..${solid.max.x}, z ${solid.min.z}..${solid.max.z}`);

  // Ball centres against the view's vertices: the scale from the largest extent of both, the shift
  // from their lowest corners; every vertex must land on a ball, and every ball be a vertex.
  const balls = shellCentres(byName('vertices').children.length ? byName('vertices').children[0] : byName('vertices'));
  const low = (points) => [0, 1, 2].map((a) => Math.min(...points.map((p) => p[a])));
  const high = (points) => [0, 1, 2].map((a) => Math.max(...points.map((p) => p[a])));
  const ballPoints = balls.map((b) => [b.x, b.y, b.z]);
  const extent = (points) => Math.max(...[0, 1, 2].map((a) => high(points)[a] - low(points)[a]));
  const scale = extent(ballPoints) / extent(entry.vertices);
  const shift = [0, 1, 2].map((a) => low(ballPoints)[a] - scale * low(entry.vertices)[a]);
  const tolerance = 1e-5 * metres;
  const used = new Set();
  for (const v of entry.vertices) {
    const placed = v.map((c, a) => scale * c + shift[a]);
    const at = ballPoints.findIndex((b) => Math.hypot(b[0] - placed[0], b[1] - placed[1], b[2] - placed[2]) < tolerance);
    if (at < 0) {
      fault(name, `no ball at vertex ${v.map((c) => c.toFixed(3))}`);
      break;
    }
    used.add(at);
  }
  if (used.size !== balls.length) fault(name, `${balls.length} balls, ${used.size} of them at vertices`);
  if (entry.balls !== undefined && balls.length !== entry.balls) fault(name, `${balls.length} balls, expected ${entry.balls}`);

  // The camera: the ball of each vertex, through the file's camera, where the window's lens puts it.
  const camera = gltf.cameras[0];
  if (!camera) {
    fault(name, 'no camera');
    continue;
  }
  camera.updateMatrixWorld(true);
  let worst = 0;
  for (const v of entry.vertices) {
    const placed = new THREE.Vector3(...v.map((c, a) => scale * c + shift[a])).project(camera);
    const seen = [(placed.x + 1) * 512, (1 - placed.y) * 384];
    const window = windowPicture(entry.eye, entry.up, v);
    worst = Math.max(worst, Math.hypot(seen[0] - window[0], seen[1] - window[1]));
  }
  if (!(worst < 0.05)) fault(name, `the camera puts a vertex ${worst.toFixed(3)} pixels off the window's`);
  console.log(`${name}: valid, ${balls.length} balls, ${largest.toFixed(6)} m, camera within ${worst.toFixed(4)} px`);
}
process.exit(faults ? 1 : 0);
