// A private X display for the engines that draw WebGL only through a real GL driver (Firefox and
// WebKitGTK on Mesa's software rasteriser, on a machine without a GPU). Xvfb picks a free display
// number itself and writes it to the descriptor given with -displayfd.
'use strict';
const {spawn} = require('node:child_process');

async function startXvfb() {
  const child = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                      {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    let text = '';
    child.stdio[3].on('data', (d) => {
      text += d;
      if (text.includes('\n')) resolve(`:${text.trim()}`);
    });
    child.once('error', reject);
    child.once('exit', (code) => reject(new Error(`Xvfb ended (${code}) before giving a display`)));
  });
  const exited = new Promise((r) => child.once('exit', r));
  return {
    display,
    async stop() {
      if (child.exitCode === null) child.kill('SIGTERM');
      await exited;
    },
  };
}

module.exports = {startXvfb};
