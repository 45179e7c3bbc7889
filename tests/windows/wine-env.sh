# shellcheck shell=sh
# Sourced by the Wine tests with the path of a Windows executable in $1: chooses the Wine loader of
# its architecture and sets up the environment of its Wine prefix. Sets `exe` (absolute), `arch`
# and `loader`; exports WINEPREFIX, WINEARCH and WINELOADER. The prefix lives next to the file
# (wine-prefix/) unless TESSARY_WINEPREFIX (an absolute path) names another; wine-prefix.sh makes
# it on first use. The test calls wine_or_skip before it starts Wine.
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$exe" ] || {
    echo "FAIL: no $exe"
    exit 1
}

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

# 32-bit Wine is a 32-bit Linux program. A kernel built or booted without IA-32 emulation cannot
# start it at all; that is a limit of the machine, not of the program, so the run is skipped.
wine_or_skip() {
    # Not installed is no limit of the machine: `make test-windows` skips the i686 runs itself when
    # scripts/install-windows-deps.sh could not install 32-bit Wine, and says so.
    if [ ! -e "$loader" ]; then
        echo "FAIL: $loader is not installed (scripts/install-windows-deps.sh installs Wine)"
        exit 1
    fi
    "$loader" --version >/dev/null 2>&1 && return 0
    if [ "$arch" = i686 ] && [ "${TESSARY_REQUIRE_WINE32:-}" = "" ]; then
        echo "SKIPPED: $arch under Wine: this kernel cannot run 32-bit programs, so $loader cannot start" \
            "(dmesg: $(dmesg 2>/dev/null | grep -m1 -i '32-bit emulation' || echo 'no IA-32 emulation'))"
        exit 0
    fi
    echo "FAIL: $loader cannot start"
    exit 1
}

export WINEPREFIX="${TESSARY_WINEPREFIX:-$(dirname "$exe")/wine-prefix}"
export WINEARCH=$winearch
export WINELOADER=$loader
