// Frames as {width, height, rgba} for comparing the browser's pictures with the desktop's: a small
// PNG reader (8-bit RGB or RGBA, not interlaced, what the desktop tests write) and a PNG writer for
// keeping what the browser drew.
'use strict';
const fs = require('node:fs');
const zlib = require('node:zlib');

function readPng(path) {
  const data = fs.readFileSync(path);
  let offset = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (offset < data.length) {
    const length = data.readUInt32BE(offset);
    const type = data.toString('latin1', offset + 4, offset + 8);
    const body = data.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || (body[9] !== 2 && body[9] !== 6))
        throw new Error(`${path}: only 8-bit RGB or RGBA without interlacing is read here`);
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      idat.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const rgba = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? row[i - channels] : 0, b = previous[i], c = i >= channels ? previous[i - channels] : 0;
      let p = 0;
      if (filter === 1) p = a;
      else if (filter === 2) p = b;
      else if (filter === 3) p = (a + b) >> 1;
      else if (filter === 4) {
        const pa = Math.abs(b - c), pb = Math.abs(a - c), pc = Math.abs(a + b - 2 * c);
        p = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[i] = (row[i] + p) & 255;
    }
    for (let x = 0; x < width; ++x)
      for (let k = 0; k < 4; ++k)
        rgba[(y * width + x) * 4 + k] = k < channels ? row[x * channels + k] : 255;
    previous = row;
  }
  return {width, height, rgba};
}

function crc32(buffer) {
  let crc = ~0;
  for (const byte of buffer) {
    crc ^= byte;
    for (let k = 0; k < 8; ++k) crc = (crc >>> 1) ^ (0xEDB88320 & -(crc & 1));
  }
  return ~crc >>> 0;
}

function writePng(path, frame) {
  const chunk = (type, body) => {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, 'latin1');
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])));
    return Buffer.concat([head, body, crc]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(frame.width, 0);
  header.writeUInt32BE(frame.height, 4);
  header.set([8, 6, 0, 0, 0], 8);
  const rows = [];
  for (let y = 0; y < frame.height; ++y)
    rows.push(Buffer.from([0]), frame.rgba.subarray(y * frame.width * 4, (y + 1) * frame.width * 4));
  fs.writeFileSync(path, Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
                                        chunk('IDAT', zlib.deflateSync(Buffer.concat(rows))), chunk('IEND', Buffer.alloc(0))]));
}

// Where the window writes text outside the 3-D scene: frame counter, prompt, field, check box caption,
// button caption and help lines, in window pixels; masked where frames are compared.
const PANEL_TEXT = [
  {x0: 0, y0: 0, x1: 80, y1: 16}, {x0: 15, y0: 12, x1: 158, y1: 42}, {x0: 162, y0: 17, x1: 258, y1: 34},
  {x0: 420, y0: 12, x1: 500, y1: 44}, {x0: 880, y0: 24, x1: 970, y1: 47}, {x0: 0, y0: 700, x1: 1024, y1: 768},
];

function pixel(frame, x, y) {
  const i = (y * frame.width + x) * 4;
  return [frame.rgba[i], frame.rgba[i + 1], frame.rgba[i + 2]];
}

// Text printed on a surface rather than in a box of its own (the numbers on the faces): pixels
// darker by more than `depth` levels than the brightest pixel within `radius`, where the surface
// under the text is smooth. Returns one flag per pixel of the frame.
function inkMask(frame, radius = 4, depth = 12) {
  const {width, height} = frame;
  const lum = new Uint8Array(width * height), rowMax = new Uint8Array(width * height);
  for (let i = 0; i < width * height; ++i)
    lum[i] = Math.max(frame.rgba[i * 4], frame.rgba[i * 4 + 1], frame.rgba[i * 4 + 2]);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      let m = 0;
      for (let k = Math.max(0, x - radius); k <= Math.min(width - 1, x + radius); ++k) m = Math.max(m, lum[y * width + k]);
      rowMax[y * width + x] = m;
    }
  const mask = new Uint8Array(width * height);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      let m = 0;
      for (let k = Math.max(0, y - radius); k <= Math.min(height - 1, y + radius); ++k) m = Math.max(m, rowMax[k * width + x]);
      mask[y * width + x] = lum[y * width + x] + depth < m ? 1 : 0;
    }
  return mask;
}

// Pixels inside `area` ({x0, y0, x1, y1}), outside every rectangle of `masks` and not flagged in
// `pixelMask` (optional), whose channels differ by more than `tolerance`; with the number compared.
function compare(a, b, area, masks, tolerance, pixelMask) {
  let differing = 0, compared = 0;
  for (let y = area.y0; y < area.y1; ++y)
    for (let x = area.x0; x < area.x1; ++x) {
      if (pixelMask && pixelMask[y * a.width + x]) continue;
      if (masks.some((m) => x >= m.x0 && x < m.x1 && y >= m.y0 && y < m.y1)) continue;
      ++compared;
      const p = pixel(a, x, y), q = pixel(b, x, y);
      if (p.some((v, k) => Math.abs(v - q[k]) > tolerance)) ++differing;
    }
  return {differing, compared};
}

module.exports = {readPng, writePng, pixel, compare, inkMask, PANEL_TEXT};
