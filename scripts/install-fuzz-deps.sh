#!/bin/sh
# Installs clang and its runtime (libFuzzer and the sanitizers for clang) for `make fuzz`, only
# when they are missing, and Node.js for the targets written in JavaScript when there is no node
# (some systems carry their own).
set -eu
here="$(dirname "$0")"
"$here/install-packages.sh" clang-14 libclang-rt-14-dev
if ! command -v node >/dev/null 2>&1; then
    "$here/install-packages.sh" nodejs
fi
