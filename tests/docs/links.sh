#!/bin/sh
# The documentation must not point at what moved: every relative link of README.md and docs/*.md
# leads to a file or folder (and to a heading, when it names one), and every source path the pages
# name in backticks exists: as it is, or as the header and source pair it names without a suffix
# (`hypercube/View` for View.h and View.cpp).
#
# usage: links.sh <source tree>
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$0")/../support/checks.sh"
cd "$1" || exit 1

# has_heading <page> <anchor>: one of the page's headings has that anchor, as GitHub makes them.
has_heading() {
    sed -n 's/^#\{1,6\} //p' "$1" | tr '[:upper:]' '[:lower:]' | sed 's/[^a-z0-9 _-]//g; s/ /-/g' | grep -qx -- "$2"
}

path_exists() {
    test -e "$1" || test -e "$1.h" || test -e "$1.cpp"
}

for page in README.md docs/*.md; do
    dir=$(dirname "$page")
    for link in $(grep -o '](\([^) ]*\))' "$page" | sed 's/^](//; s/)$//' | grep -v '^[a-z]*:'); do
        file=${link%%#*}
        expect "$page: the link $link leads to a file" test -e "$dir/$file"
        case $link in
        *#*) expect "$page: the link $link leads to a heading" has_heading "$dir/${file:-$(basename "$page")}" "${link#*#}" ;;
        esac
    done
    for path in $(grep -o '`[^`]*`' "$page" | tr -d '`' |
        grep -E '^(app|bench|cmake|data|docs|export|fuzz|gui|hypercube|page|platform|render|scripts|tests|tools)/[^ <>*]*$' | sort -u); do
        expect "$page: $path exists" path_exists "$path"
    done
done
summary
