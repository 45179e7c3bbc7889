#!/bin/sh
# Runs the smoke test of the real executable on a private Xvfb display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/smoke.sh" "$1"
