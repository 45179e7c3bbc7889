#!/bin/sh
# Makes the Debian package a second time from a copy of the sources in another folder and compares
# it with the first: the same sources must give the same bytes whatever the folder and the time
# (SOURCE_DATE_EPOCH stands for the time). On a difference it lists what differs.
#
# usage: SOURCE_DATE_EPOCH=<seconds> test-reproducible.sh <tessary_*.deb>
# The copy holds the files git tracks and those it would track (new files not yet added), as a
# checkout would; JOBS is passed to its build.
set -eu
first=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
source_tree=$(cd "$(dirname "$0")/../.." && pwd)
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH must be set, as the Makefile does}"
scratch=$(mktemp -d /tmp/tessary-rebuild.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/elsewhere/tessary

mkdir -p "$copy"
(cd "$source_tree" && git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$copy"
echo "== the package again, from $copy"
start=$(date +%s)
make -C "$copy" --no-print-directory package SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" JOBS="${JOBS:-2}" >"$scratch/build.log" 2>&1 || {
    tail -n 30 "$scratch/build.log"
    echo "FAIL: the second build failed"
    exit 1
}
second=$(ls "$copy"/build-pkg/tessary_*.deb)
echo "built in $(($(date +%s) - start)) s"

sum_first=$(sha256sum "$first" | cut -d' ' -f1)
sum_second=$(sha256sum "$second" | cut -d' ' -f1)
echo "sha256 $sum_first  $first"
echo "sha256 $sum_second  $second"
if [ "$sum_first" = "$sum_second" ]; then
    echo "ok: the two packages are the same bytes"
    echo "1 passed, 0 failed"
    exit 0
fi
echo "FAIL: the two packages differ"
for deb in "$first" "$second"; do
    dpkg-deb -c "$deb" >"$scratch/$(echo "$deb" | md5sum | cut -c1-8).list"
done
diff "$scratch"/*.list | head -n 20 || true
mkdir "$scratch/a" "$scratch/b"
dpkg-deb -R "$first" "$scratch/a"
dpkg-deb -R "$second" "$scratch/b"
diff -r "$scratch/a" "$scratch/b" | head -n 20 || true
echo "0 passed, 1 failed"
exit 1
