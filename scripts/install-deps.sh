#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, but only those that are
# missing. Used by every Makefile target. libwebp and giflib write the command line's animations;
# openbox and xterm are for the smoke test under a click-to-focus window manager; Node.js runs the
# page's script tests, and comes with the machine on some systems (then Debian's is not asked for,
# as it would conflict with it) and from Debian on others. librsvg, poppler, xmllint and pdflatex with
# TikZ read the vector figures back in the tests.
set -eu
here="$(dirname "$0")"
if ! command -v node >/dev/null 2>&1; then
    "$here/install-packages.sh" nodejs
fi
exec "$here/install-packages.sh" cmake g++ make pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev \
    libegl-mesa0 libgl1-mesa-dri libfreetype-dev libfontconfig-dev libpng-dev libwebp-dev libgif-dev \
    libgtest-dev libbenchmark-dev \
    xvfb xauth xfonts-base xdotool x11-apps x11-utils openbox xterm python3 fonts-arphic-uming \
    fonts-wqy-microhei fonts-cwtex-yen librsvg2-bin poppler-utils libxml2-utils texlive-latex-base \
    texlive-pictures
