#!/bin/sh
# Installs what `make test-models` checks the 3-D models with, tools nobody here wrote: PrusaSlicer's
# command line (which reads, measures and slices the STL and 3MF files) and admesh (which checks
# every shell is closed and faces outwards), xvfb for PrusaSlicer, which links GTK even on its command
# line, unzip for the 3MF's archive; and from npm, pinned by tests/models/package-lock.json, the
# Khronos glTF validator and three.js, whose loader reads the GLB files. With `blender`, Blender too,
# for `make test-blender` alone: it is large and slow to start.
set -eu
here="$(dirname "$0")"
"$here/install-packages.sh" prusa-slicer admesh xvfb xauth unzip python3
if [ "${1:-}" = blender ]; then
    "$here/install-packages.sh" blender
fi
if ! command -v npm >/dev/null 2>&1; then
    "$here/install-packages.sh" nodejs npm
fi
cd "$here/../tests/models"
if [ ! -d node_modules/gltf-validator ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
