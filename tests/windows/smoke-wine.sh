#!/bin/sh
# Smoke test of one Windows build under Wine: checks that the .exe needs only Windows' own DLLs,
# then runs it on a private Xvfb display (wine-session.sh): window and title, first frame, typing a
# dimension and pressing the button draws edges, Escape ends it with exit code 0.
#
# usage: smoke-wine.sh <path to tessary.exe>
# The Wine prefix lives next to the .exe (wine-prefix/) and is made on the first run; set
# TESSARY_WINEPREFIX (an absolute path) to use another.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/windows/wine-env.sh
. "$here/wine-env.sh"
echo "== $arch: $exe ($(stat -c %s "$exe") bytes)"

# Runs alone: every imported DLL is part of Windows, none comes from the compiler's runtime.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]' |
    sort | tr '\n' ' ')
echo "imports: $imports"
for dll in $imports; do
    case $dll in
    KERNEL32.DLL | USER32.DLL | GDI32.DLL | OPENGL32.DLL | GLU32.DLL | MSVCRT.DLL) ;;
    *)
        echo "FAIL: $exe needs $dll, which Windows does not provide"
        exit 1
        ;;
    esac
done
x86_64-w64-mingw32-objdump -p "$exe" | grep -q "Subsystem.*(Windows GUI)" || {
    echo "FAIL: $exe is not a GUI program"
    exit 1
}

wine_or_skip
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/wine-session.sh" "$exe" "$loader"
