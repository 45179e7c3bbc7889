#!/bin/sh
# docs/architecture.md's table of libraries names every library the build defines, and no other:
# each `add_library(tessary_...` and `tessary_folder_library(<folder>` (tessary_<folder>) of
# CMakeLists.txt and the cmake files of the tree, in any build (the platform's back ends differ
# between the desktop and the browser), against the first column of the table under the heading
# "The libraries".
#
# usage: libraries.sh <source tree>
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$0")/../support/checks.sh"
cd "$1" || exit 1

defined=$(find . -path ./build\* -prune -o \( -name CMakeLists.txt -o -name '*.cmake' \) -print |
    xargs grep -hoE '^ *(add_library\(tessary_[a-z][a-z_]*|tessary_folder_library\([a-z]+)' |
    sed -E 's/^ *add_library\(//; s/^ *tessary_folder_library\(/tessary_/' | sort -u)
documented=$(sed -n '/^## The libraries/,/^## /p' docs/architecture.md | grep '^| `tessary_' |
    sed 's/^| `\(tessary_[a-z_]*\)`.*/\1/' | sort -u)

expect "CMake defines libraries" test -n "$defined"
expect "docs/architecture.md has a table of libraries" test -n "$documented"
for library in $defined; do
    expect "docs/architecture.md names $library, which CMake defines" \
        sh -c "printf '%s\n' \"\$1\" | grep -qx \"\$2\"" sh "$documented" "$library"
done
for library in $documented; do
    expect "CMake defines $library, which docs/architecture.md names" \
        sh -c "printf '%s\n' \"\$1\" | grep -qx \"\$2\"" sh "$defined" "$library"
done
summary
