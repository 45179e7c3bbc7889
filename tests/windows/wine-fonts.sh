#!/bin/sh
# Maps the three faces the program names to the Debian fonts of the same designs in a Wine prefix
# ($WINEPREFIX, else ~/.wine), with $WINELOADER (else wine), then checks that the prefix's registry
# holds them; with --check it only checks. Wine's regedit reads a .reg file as UTF-16 with a byte
# order mark and garbles UTF-8 value names, so wine-fonts.reg, kept in UTF-8 to be read and diffed,
# is converted on the way.
#
# usage: wine-fonts.sh [--check]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
prefix=${WINEPREFIX:-$HOME/.wine}
loader=${WINELOADER:-wine}
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

if [ "${1:-}" != --check ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    { printf '\377\376'; sed 's/$/\r/' "$here/wine-fonts.reg" | iconv -f UTF-8 -t UTF-16LE; } >"$work/fonts.reg"
    "$loader" regedit /S "$work/fonts.reg" >&2 || {
        echo "FAIL: regedit failed"
        exit 1
    }
    # The registry reaches user.reg when the prefix's server ends.
    "$wineserver" -w >&2
fi

# Wine saves each character of a name beyond ASCII as \x and its code in hex: the line every
# replacement of wine-fonts.reg must have in user.reg.
python3 - "$here/wine-fonts.reg" "$prefix/user.reg" <<'PY'
import re, sys
wanted = re.findall(r'^("[^"]+"="[^"]+")$', open(sys.argv[1], encoding="utf-8").read(), re.M)
saved = open(sys.argv[2], encoding="utf-8", errors="replace").read().splitlines()
failed = False
for line in wanted:
    escaped = "".join(c if ord(c) < 128 else "\\x%04x" % ord(c) for c in line)
    found = escaped in saved
    failed |= not found
    print("%s: font replacement %s in %s (as %s)" % ("ok" if found else "FAIL", line, sys.argv[2], escaped))
sys.exit(1 if failed or not wanted else 0)
PY
