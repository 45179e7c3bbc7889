#!/bin/sh
# The real executable on a display that offers no OpenGL (an X server without GLX): the window and
# --render must each end within 5 s with exit code 1 and the program's one line saying that OpenGL is
# missing, nothing from a library before it.
#
# usage: without-opengl.sh <exe>   (run under xvfb-run, see run-under-xvfb.sh)
set -u
exe=$1
failures=0
for args in "" "--render /dev/null/never.png"; do
    # shellcheck disable=SC2086 # the arguments are meant to split
    err=$(env -u SDL_VIDEODRIVER timeout 5 "$exe" $args 2>&1 >/dev/null)
    status=$?
    case "$args" in
    "") expected="tessary: the display offers no OpenGL: cannot create a context for the main window" ;;
    *) expected="tessary: the display offers no OpenGL: cannot create a context to draw in" ;;
    esac
    if [ "$status" -ne 1 ] || [ "$err" != "$expected" ]; then
        echo "FAIL: tessary $args: expected exit 1 and '$expected', got exit $status and '$err'"
        failures=$((failures + 1))
    else
        echo "ok: tessary $args: exit 1, '$err'"
    fi
done
[ "$failures" -eq 0 ]
