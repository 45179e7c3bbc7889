#!/bin/sh
# The real executable with no display at all (no DISPLAY, no WAYLAND_DISPLAY, no XDG_RUNTIME_DIR, no
# SDL_VIDEODRIVER), as from a text console or over ssh: started plainly it must end within 5 s with
# exit code 1 and its own one line of reason, nothing from a library before it; --help, --version
# and an unknown argument must be answered without trying to open a window, which here would fail;
# --render needs no display and writes its picture.
#
# usage: without-display.sh <exe> <version from project()>
set -u
exe=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# run <args...>: runs the program without a display; sets status, out and err.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER timeout "${limit:-5}" "$exe" "$@" >"$work/out" 2>"$work/err"
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

# expect <description> <expected> <actual>
expect() {
    if [ "$2" = "$3" ]; then
        echo "ok: $1"
    else
        echo "FAIL: $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

# expect_match <description> <pattern> <text>: the text contains a line matching the pattern.
expect_match() {
    if printf '%s\n' "$3" | grep -q -- "$2"; then
        echo "ok: $1"
    else
        echo "FAIL: $1: no line matching '$2' in:"
        printf '%s\n' "$3"
        failures=$((failures + 1))
    fi
}

run
expect "no arguments, no display: exit code (124 = still running after 5 s)" 1 "$status"
expect "no arguments, no display: stderr is the program's one line" \
    "tessary: cannot create the main window (is a display available?)" "$err"

run --help
expect "--help: exit code" 0 "$status"
expect_match "--help: usage" "^Usage: tessary \[--view VIEW\] \[--print-view\]$" "$out"
expect_match "--help: the controls" "Escape  *quit" "$out"
expect "--help: nothing on stderr (no window was tried)" "" "$err"

run --version
expect "--version: exit code" 0 "$status"
expect "--version: name and version" "tessary $version" "$out"
expect "--version: nothing on stderr" "" "$err"

run --version "--no such"
expect "unknown argument: exit code" 2 "$status"
expect "unknown argument: one line naming it and --help" \
    "tessary: unknown argument '--no such' (see tessary --help)" "$err"
expect "unknown argument: nothing on stdout" "" "$out"

run --render 'a"b.png'
expect "a double quote in an argument: exit code" 2 "$status"
expect "a double quote in an argument: one line, before anything is drawn" \
    "tessary: argument 2 holds a double quote, which no argument may hold" "$err"

# The picture's width and height, from the PNG signature and header, as "PNG 1024x768".
png_size() {
    # shellcheck disable=SC2046 # the two fields are meant to split
    set -- $(od -An -tx1 -N24 "$1" | tr -d ' \n' |
        sed -n 's/^89504e470d0a1a0a0000000d49484452\(.\{8\}\)\(.\{8\}\)$/0x\1 0x\2/p')
    [ $# -eq 2 ] && printf 'PNG %dx%d' "$1" "$2"
}

# Drawing loads the GL libraries, which SDL unloads at exit; under the sanitizers their leftovers are
# reported from an "<unknown module>" that no suppression can name, so this one run does not check
# leaks. The same drawing code is checked for leaks inside the test programs.
limit=60
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" run --render "$work/cube.png" --width 512
expect "--render without a display: exit code" 0 "$status"
expect "--render without a display: the picture" "PNG 512x384" "$(png_size "$work/cube.png" 2>&1)"

[ "$failures" -eq 0 ]
