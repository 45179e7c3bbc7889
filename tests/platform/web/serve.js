// A static file server on 127.0.0.1 for the browser build: node serve.js DIR [PORT]. Prints the
// address once it listens. Used by `make serve-web` and by the browser tests (port 0: any free one).
'use strict';
const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.woff2': 'font/woff2', '.txt': 'text/plain; charset=utf-8', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// `headScript`: a script put first into the <head> of every HTML page served, for tests that need
// it to run before the page's own scripts in a browser whose driver cannot add one.
function serve(root, port, {headScript} = {}) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const relative = path.normalize(decodeURIComponent(url.pathname)).replace(/^([/\\])+/, '');
    const file = path.join(root, relative || 'index.html');
    if (!file.startsWith(path.resolve(root))) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end('not found');
        return;
      }
      response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
                               'Cache-Control': 'no-store'});
      if (headScript && path.extname(file) === '.html')
        data = data.toString('utf8').replace('<head>', () => `<head><script>${headScript}</script>`);
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

module.exports = {serve};

if (require.main === module) {
  const root = path.resolve(process.argv[2] || '.');
  serve(root, Number(process.argv[3] || 8015)).then((server) => {
    console.log(`Tessary in a browser: http://127.0.0.1:${server.address().port}/  (Ctrl+C stops)`);
  });
}
