// Saves what the page made (a picture, a clip) as a file in the browser's downloads.
export function download(blob, extension) {
  const url = URL.createObjectURL(blob);
  const link = document.createElement('a');
  link.href = url;
  link.download = 'tessary-' + new Date().toISOString().replace(/\..*$/, '').replace(/[-:]/g, '').replace('T', '-') +
                  '.' + extension;
  document.body.appendChild(link);
  link.click();
  link.remove();
  // The browser has taken the file once the click has been handled; a minute leaves it time.
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}
