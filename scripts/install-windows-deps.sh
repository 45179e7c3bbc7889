#!/bin/sh
# shellcheck disable=SC2086 # the package sets are lists of names, split on purpose
# Installs what the Windows build and its tests need, in two sets. About 2 GB, so only the Windows
# targets of the Makefile call it; `make test` and `make run` never do.
#
# The amd64 set is required (the script fails without it): the mingw-w64 cross compilers for both
# architectures, zlib for the program's PNG encoder, 64-bit Wine, the Mesa drivers it renders with,
# ImageMagick for the screenshots, NSIS for the installers, and icoutils (wrestool, icotool) and
# xmllint to read the resources of the .exe files. That builds both .exe files and their installers
# and runs every x86_64 test.
#
# The i386 set is tried after it: 32-bit Wine and the 32-bit Mesa drivers it renders with, which
# only the run of the i686 program under Wine needs. It lives in Debian's i386 architecture, which
# is added first; a mirror that serves no usable i386 lists, or whose i386 libraries lag behind the
# amd64 ones installed from security updates, makes it impossible to install. Then the script still
# exits 0 and, when given a file, writes into it what could not be installed (the packages on the
# first line, apt's last error on the second), for the Makefile to skip that run and say why; when
# the set is installed the file is removed.
#
# usage: install-windows-deps.sh [<file that records the missing i386 packages>]
set -eu
here=$(dirname "$0")
record=${1:-}

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

AMD64="cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 libz-mingw-w64-dev \
wine wine64 libgl1-mesa-dri libglu1-mesa xvfb xauth xdotool imagemagick nsis icoutils libxml2-utils \
fonts-arphic-uming fonts-wqy-microhei fonts-cwtex-yen"
I386="wine32:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386 libglu1-mesa:i386"

"$here/install-packages.sh" $AMD64

# Prints those of the packages named that are not installed.
not_installed() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || printf '%s ' "$p"
    done
}

# A fresh amd64 system has no i386 architecture yet; the package script refreshes the lists when the
# new architecture's packages are not known.
if [ -n "$(not_installed $I386)" ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    # The output goes to the terminal and, for the record, to $log.
    { "$here/install-packages.sh" $I386 2>&1 || true; } | tee "$log"
fi

missing=$(not_installed $I386)
if [ -z "$missing" ]; then
    [ -z "$record" ] || rm -f "$record"
    exit 0
fi
# Why, in a line: the dependencies apt found no version of, then apt's last error.
log=${log:-/dev/null}
uninstallable=$(sed -n 's/.*Depends: \([^ ]*\).* but .*not installable$/\1/p' "$log" | sort -u | head -n 3 |
    tr '\n' ' ')
error=$(grep '^E: ' "$log" | tail -n 1 | sed 's/^E: //; s/\.$//')
reason="${uninstallable:+${uninstallable% } not installable; }apt-get: ${error:-failed}"
echo "The 32-bit Wine packages could not be installed ($reason): ${missing% }. Only the i686 run under" \
    "Wine needs them."
if [ -n "$record" ]; then
    mkdir -p "$(dirname "$record")"
    printf '%s\n%s\n' "${missing% }" "$reason" >"$record"
fi
