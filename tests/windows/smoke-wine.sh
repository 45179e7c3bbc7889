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
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$exe" ] || { echo "FAIL: no $exe"; exit 1; }

case $(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p') in
pei-i386)
    arch=i686
    loader=/usr/lib/wine/wine
    winearch=win32
    ;;
pei-x86-64)
    arch=x86_64
    loader=/usr/lib/wine/wine64
    winearch=win64
    ;;
*)
    echo "FAIL: $exe is not a Windows executable for i686 or x86_64"
    exit 1
    ;;
esac
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

# 32-bit Wine is a 32-bit Linux program. A kernel built or booted without IA-32 emulation cannot
# start it at all; that is a limit of the machine, not of the program, so the run is skipped.
if ! "$loader" --version >/dev/null 2>&1; then
    if [ "$arch" = i686 ] && [ "${TESSARY_REQUIRE_WINE32:-}" = "" ]; then
        echo "SKIPPED: $arch under Wine: this kernel cannot run 32-bit programs, so $loader cannot start" \
            "(dmesg: $(dmesg 2>/dev/null | grep -m1 -i '32-bit emulation' || echo 'no IA-32 emulation'))"
        exit 0
    fi
    echo "FAIL: $loader cannot start"
    exit 1
fi

export WINEPREFIX="${TESSARY_WINEPREFIX:-$(dirname "$exe")/wine-prefix}"
export WINEARCH=$winearch
export WINELOADER=$loader
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/wine-session.sh" "$exe" "$loader"
