#!/bin/sh
# Gathers the artefacts of a release into dist/ (docs/building.md, Downloads), from builds the Makefile has
# just made: the Debian package, the Windows zips and installers, the web page as one zip, and the
# source of the current commit; then SHA256SUMS. Every file carries SOURCE_DATE_EPOCH as its time.
#
# usage: SOURCE_DATE_EPOCH=<seconds> make-release.sh <version> <web build directory>
set -eu
version=$1
web=$2
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH must be set, as the Makefile does}"
cd "$(dirname "$0")/.."
dist=dist
rm -rf "$dist"
mkdir "$dist"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cp build-pkg/tessary_"$version"_*.deb "$dist/"
for arch in win32 win64; do
    cp "build-$arch/tessary-$version-$arch.zip" "$dist/"
    # The installer's name says what it is, beside the zip of the same program.
    cp "build-$arch/tessary-$version-$arch.exe" "$dist/tessary-$version-$arch-setup.exe"
done

# The web page: the files a static host serves, as the build lists them, in one folder, with the screenshot the AppStream
# metainfo names beside the page. Stored in name order with the fixed time and no owner or
# extended fields, so the same build gives the same zip.
page=$scratch/tessary-$version-web
mkdir "$page"
(cd "$web" && tar -cf - $(cat page-files.txt)) | (cd "$page" && tar -xf -)
cp docs/screenshot.png "$page/screenshot.png"
find "$page" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$scratch" && find "tessary-$version-web" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "tessary-$version-web.zip")
mv "$scratch/tessary-$version-web.zip" "$dist/"

# The source as git holds it at this commit; changes not committed are not in it.
commit=$(git rev-parse HEAD)
git archive --format=tar.gz --prefix="tessary-$version/" -o "$dist/tessary-$version-source.tar.gz" "$commit"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "note: the source tarball is commit $commit; the uncommitted changes are not in it"
fi

(cd "$dist" && sha256sum -- *) >"$scratch/SHA256SUMS"
mv "$scratch/SHA256SUMS" "$dist/"
find "$dist" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
ls -l "$dist"
