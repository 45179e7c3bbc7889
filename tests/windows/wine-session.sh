#!/bin/sh
# The Wine half of smoke-wine.sh, run on the Xvfb display that script starts. Expects WINEPREFIX,
# WINEARCH and WINELOADER in the environment. There is no window manager, so the window keeps the
# place the program gives it: (0, 0) for its frame, its client area a little to the right and below.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
loader=$2
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/wine.log
pid=""
export WINEDEBUG="${WINEDEBUG:-err+all,fixme-all}"

now() { date +%s.%N; }
since() { echo "$(now) $1" | awk '{ printf "%.1f", $1 - $2 }'; }

fail() {
    echo "FAIL: $*"
    echo "--- Wine's output:"
    tail -n 40 "$log"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    "$wineserver" -k 2>/dev/null || true
    exit 1
}

"$here/wine-prefix.sh" "$log" || fail "no Wine prefix"

# Counts the pixels of the last screenshot, in a rectangle given in client coordinates, that are
# white (every channel above 70 %) or blue (blue above 60 %, green below 60 %, red below 40 %).
shot=$work/screen.ppm
count() {
    case $5 in
    white) select="-channel RGB -threshold 70%" ;;
    blue) select="-channel R -threshold 40% -negate -channel G -threshold 60% -negate -channel B -threshold 60%" ;;
    esac
    # shellcheck disable=SC2086 # $select is a list of options
    convert "$shot" -crop "$3x$4+$((left + $1))+$((top + $2))" +repage $select +channel -separate \
        -evaluate-sequence Min -format '%[fx:round(mean * w * h)]' info:
}
# Takes screenshots until `count` with the given arguments reaches `at_least`, for up to 30 s.
wait_for() {
    at_least=$1
    shift
    i=0
    while [ $i -lt 50 ]; do
        import -window root "$shot"
        n=$(count "$@")
        [ "$n" -ge "$at_least" ] && return 0
        sleep 0.2
        i=$((i + 1))
    done
    echo "last count: $n"
    return 1
}

# The command line reaches WinMain: --version answers on the output it was given, an unknown
# argument ends with exit code 2; neither opens a window.
status=0
"$loader" "$exe" --version >"$work/version" 2>>"$log" || status=$?
answer=$(tr -d '\r' <"$work/version")
[ "$status" -eq 0 ] || fail "--version ended with exit code $status"
case $answer in "tessary "[0-9]*) ;; *) fail "--version printed '$answer'" ;; esac
status=0
"$loader" "$exe" --no-such-option >>"$log" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "an unknown argument ended with exit code $status, not 2"
xdotool search --name 'Tessary$' >/dev/null && fail "the command line opened a window"
echo "command line: --version says '$answer'; an unknown argument ends with exit code 2"

# Vector figures are the program's own C++ on Windows too: the README's 5-cube as SVG and PDF, whole,
# of the asked size, with its faces' gradients and its edges.
view=v1.5f.BCjAAABCNAAABCvgAAC-WHACA_bzKlC-kt5K.ug9vf___f___Dezrf___nuFj3LXcTVogj7eXQJLJR3lGsqXe3LXcYzrcXVmR3iZWf___yEYzr-tSf___f___yEYzf___f___6aSX
for kind in svg pdf; do
    status=0
    "$loader" "$exe" --render "$work/cube.$kind" --width 512 --view "$view" >>"$log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || fail "--render cube.$kind ended with exit code $status"
done
xmllint --noout "$work/cube.svg" 2>>"$log" || fail "the SVG is not well-formed"
grep -q 'width="512" height="384"' "$work/cube.svg" || fail "the SVG is not 512 x 384"
[ "$(grep -c '<linearGradient' "$work/cube.svg")" -gt 10 ] || fail "the SVG has no fogged faces"
pdfinfo "$work/cube.pdf" 2>>"$log" | grep -q "Page size: *512 x 384 pts" || fail "the PDF is not one page of 512 x 384"
echo "figures: cube.svg ($(stat -c %s "$work/cube.svg") bytes) and cube.pdf ($(stat -c %s "$work/cube.pdf") bytes)"

start=$(now)
"$loader" "$exe" >>"$log" 2>&1 &
pid=$!
# The search pattern stays ASCII: how xdotool matches other characters depends on the locale.
wid=$(timeout 60 xdotool search --sync --onlyvisible --name 'Tessary$' | head -n 1) || fail "no window"
echo "window shown after $(since "$start") s"
title=$(xdotool getwindowname "$wid")
[ "$title" = "QV作品---Tessary" ] || fail "the window's title is \"$title\""
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry" | grep -q "Geometry: 1024x768" || fail "client area is not 1024x768: $geometry"
left=$(echo "$geometry" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1/p')
top=$(echo "$geometry" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\2/p')
echo "client area 1024x768 at ($left, $top)"

# The first frame: the generate button's blue frame (client 875..973 x 21..49).
wait_for 50 870 15 110 40 blue || fail "no first frame: the button's frame is not drawn"
echo "first frame after $(since "$start") s"
# Nothing is built yet, so the middle of the client area is black.
before=$(count 262 134 500 500 white)
[ "$before" -lt 20 ] || fail "the middle is not empty before the hypercube is built ($before white pixels)"

# Type the dimension into the field and press the button, with real X input.
xdotool mousemove $((left + 200)) $((top + 25)) click 1
sleep 0.5
xdotool type --delay 150 4
sleep 0.5
xdotool mousemove $((left + 924)) $((top + 35)) click 1
wait_for 400 262 134 500 500 white || fail "no edges drawn after typing 4 and pressing the button"
echo "edges drawn: $(count 262 134 500 500 white) white pixels in the middle (before: $before)"
convert "$shot" "$(dirname "$exe")/wine-smoke.png"

xdotool key Escape
i=0
while kill -0 "$pid" 2>/dev/null && [ $i -lt 40 ]; do
    sleep 0.5
    i=$((i + 1))
done
kill -0 "$pid" 2>/dev/null && fail "still running 20 s after Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
"$wineserver" -w
echo "PASS: window, first frame, edges after typing 4 and pressing the button, exit code 0 after Escape"
