#!/bin/sh
# Runs a smoke test of the real executable on a private Xvfb display.
# usage: run-under-xvfb.sh <exe> [script in this folder, smoke.sh by default]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/${2:-smoke.sh}" "$1"
