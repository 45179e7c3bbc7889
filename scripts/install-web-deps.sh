#!/bin/sh
# Installs what the browser build and its tests need: Debian's emscripten (which builds offline with
# its system libraries prebuilt), Debian's chromium, firefox-esr and WebKitGTK's WebDriver for the
# browser tests (the last two draw WebGL with Mesa on an Xvfb display, where xdotool gives Firefox
# the keyboard; WebKitGTK takes the reader's language from a locale that `locales` lets the tests
# compile), fonttools to cut the
# font subsets the page ships, and the fonts themselves. Node.js and npm come with the machine on
# some systems and from Debian on others; Debian's npm is asked for only when there is no npm at
# all, since it conflicts with a Node.js that carries its own. Only the web targets call this.
set -eu
here="$(dirname "$0")"
"$here/install-packages.sh" cmake make python3 emscripten chromium firefox-esr webkit2gtk-driver locales xvfb xdotool \
    libgl1-mesa-dri fonttools python3-brotli \
    fonts-arphic-uming fonts-wqy-microhei fonts-cwtex-yen
if ! command -v node >/dev/null 2>&1; then
    "$here/install-packages.sh" nodejs
fi
if ! command -v npm >/dev/null 2>&1; then
    "$here/install-packages.sh" npm
fi
# puppeteer-core, pinned by tests/platform/web/package-lock.json; it never downloads a browser of its own.
cd "$here/../tests/platform/web"
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
