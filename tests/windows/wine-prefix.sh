#!/bin/sh
# Makes the Wine prefix $WINEPREFIX (for $WINEARCH, with $WINELOADER) unless it exists: Wine's own
# start-up, without the offers to fetch Mono and Gecko, which would wait for a click that never
# comes, then the font replacements. Run on the tests' X display; Wine's output goes to $1.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
log=$1
[ -f "$WINEPREFIX/system.reg" ] && exit 0
start=$(date +%s.%N)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot --init >>"$log" 2>&1 || {
    echo "FAIL: wineboot failed"
    exit 1
}
/usr/lib/wine/wineserver -w
{ printf '\377\376'; sed 's/$/\r/' "$here/wine-fonts.reg" | iconv -f UTF-8 -t UTF-16LE; } >"$work/fonts.reg"
"$WINELOADER" regedit /S "$work/fonts.reg" >>"$log" 2>&1 || {
    echo "FAIL: regedit failed"
    exit 1
}
/usr/lib/wine/wineserver -w
echo "new Wine prefix $WINEPREFIX made in $(echo "$(date +%s.%N) $start" | awk '{ printf "%.1f", $1 - $2 }') s"
