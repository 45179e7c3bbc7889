#!/bin/sh
# Starts the real program on the X display given by the caller, checks its window, drives it with
# real X input and expects it to end with exit code 0.
set -eu
exe=$1
log=$(mktemp)
SDL_VIDEODRIVER=x11 "$exe" 2>"$log" &
pid=$!

fail() {
    echo "FAIL: $*"
    cat "$log"
    kill "$pid" 2>/dev/null || true
    exit 1
}

wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'QV作品---Tessary' | head -n 1) || fail "no window"
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry"
echo "$geometry" | grep -q "Geometry: 1024x768" || fail "client area is not 1024x768"

# A close request from outside (SDL turns SIGTERM into a quit request, like the window manager's close).
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS: window shown, closed with exit code 0"
