#!/bin/sh
# Makes the Wine prefix $WINEPREFIX (for $WINEARCH, with $WINELOADER) unless it exists: Wine's own
# start-up, without the offers to fetch Mono and Gecko, which would wait for a click that never
# comes, then the font replacements (wine-fonts.sh). Either way checks that the prefix holds them.
# Run on the tests' X display; Wine's output goes to $1.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
log=$1
if [ -f "$WINEPREFIX/system.reg" ]; then
    exec "$here/wine-fonts.sh" --check
fi
start=$(date +%s.%N)
WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot --init >>"$log" 2>&1 || {
    echo "FAIL: wineboot failed"
    exit 1
}
/usr/lib/wine/wineserver -w
"$here/wine-fonts.sh" 2>>"$log"
echo "new Wine prefix $WINEPREFIX made in $(echo "$(date +%s.%N) $start" | awk '{ printf "%.1f", $1 - $2 }') s"
