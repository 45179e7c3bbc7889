#!/bin/sh
# Starts the real program on the X display given by the caller, checks its window, drives it with
# real X input (click, type, held keys, wheel, Escape) and expects it to end with exit code 0.
set -eu
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
SDL_VIDEODRIVER=x11 "$exe" 2>"$work/log" &
pid=$!

fail() {
    echo "FAIL: $*"
    cat "$work/log"
    kill "$pid" 2>/dev/null || true
    exit 1
}

wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Tessary$' | head -n 1)
[ -n "$wid" ] || fail "no window"
title=$(xdotool getwindowname "$wid")
[ "$title" = "QV作品---Tessary" ] || fail "window title is '$title'"
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry"
echo "$geometry" | grep -q "Geometry: 1024x768" || fail "client area is not 1024x768"
xdotool windowfocus --sync "$wid"
sleep 1
xwd -id "$wid" -silent >"$work/before.xwd"

# Click the entry field, type 4, press the generate button.
xdotool mousemove --window "$wid" 200 25 click 1
xdotool type --delay 50 4
xdotool mousemove --window "$wid" 924 35 click 1
sleep 1
xwd -id "$wid" -silent >"$work/built.xwd"
python3 "$here/frame-diff.py" "$work/before.xwd" "$work/built.xwd" changed || fail "no hypercube appeared"

# Hold two digit keys to turn it, then spin the wheel.
xdotool keydown 0 keydown 1
sleep 0.5
xdotool keyup 1 keyup 0
xdotool mousemove --window "$wid" 500 400 click 5 click 5
sleep 0.5
xwd -id "$wid" -silent >"$work/turned.xwd"
python3 "$here/frame-diff.py" "$work/built.xwd" "$work/turned.xwd" changed || fail "the hypercube did not turn"

xdotool key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"

# Started in a view with --print-view, closed with Escape: stdout is that view again, the same text
# or, entry by entry, within one step of the orientation's rounding.
view=v1.6f.BChxuYDCTb0aBC91AqA-KFbkA_cHq7A-mhJW.-D1cf___f___f___f___VBvsf___80HYf___f___SFMMf___aQ8Lf___7R-Ef___f___QSb5f___Xk5Of___5eYROj91f___Zn6PoG4iUmVKuK3vwyK7OiCGm2DdnjY9sPPvtM1nvosYywDg
SDL_VIDEODRIVER=x11 "$exe" --view "$view" --print-view >"$work/printed" 2>"$work/log" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Tessary$' | head -n 1)
[ -n "$wid" ] || fail "no window with --view"
xdotool windowfocus --sync "$wid"
sleep 0.5
xdotool key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "--print-view: exit code $status"
python3 - "$view" "$(cat "$work/printed")" <<'PY' || fail "--print-view printed another view"
import sys
alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"
expected, actual = sys.argv[1], sys.argv[2]
print(f"--print-view: expected {expected}\n              actual   {actual}")
def entries(text):
    orientation = text.split(".")[3]
    return [sum(alphabet.index(c) << 6 * (3 - k) for k, c in enumerate(orientation[i:i + 4]))
            for i in range(0, len(orientation), 4)]
same_head = expected.split(".")[:3] == actual.split(".")[:3]
steps = [abs(a - b) for a, b in zip(entries(expected), entries(actual))]
sys.exit(0 if same_head and len(actual) == len(expected) and max(steps) <= 1 else 1)
PY
rm -rf "$work"
echo "PASS: window shown, cube generated and turned, Escape ended the program with exit code 0; --print-view gave back the --view"

