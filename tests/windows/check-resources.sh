#!/bin/sh
# Checks what Explorer, the file's properties and Windows' loader read from a Windows build: an
# icon group with every size Windows asks for, a version resource that says the version of
# project(), and a manifest that declares DPI awareness, the supported Windows versions, no
# elevation and the current common controls. Also that the release build holds no symbols and no
# link time, which would make two builds of the same sources differ.
#
# usage: check-resources.sh <tessary.exe> <version>
set -eu
exe=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=tests/support/checks.sh
. "$(dirname "$0")/../support/checks.sh"

echo "== resources of $exe"
wrestool -l "$exe" | tee "$work/list"
has_type() { grep -q -- "^--type=$1 " "$work/list"; }
expect "an icon group (type 14)" has_type 14
expect "a version resource (type 16)" has_type 16
expect "a manifest (type 24)" has_type 24

# The icon group as an .ico file: one 32-bit picture of each size.
wrestool -x -t14 "$exe" >"$work/icon.ico"
sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 --bit-depth=32.*/\1/p' | tr '\n' ' ')
expect "the icon holds square 32-bit pictures of 16, 24, 32, 48 and 256 px (found: $sizes)" \
    test "$sizes" = "16 24 32 48 256 "

# The version resource: the fixed part (after the signature FEEF04BD) holds the file and product
# versions as four 16-bit numbers each, the string part FileVersion and ProductVersion as text.
wrestool -x --raw -t16 "$exe" >"$work/version"
fixed=$(od -An -tx1 -v "$work/version" | tr -s ' \n' '  ' | sed -n 's/.* bd 04 ef fe \(\([0-9a-f][0-9a-f] \)\{20\}\).*/\1/p')
# shellcheck disable=SC2086 # split the bytes into positional parameters
set -- $fixed
number() { echo $((0x$2$1)); }
file_version="$(number "$7" "$8").$(number "$5" "$6").$(number "${11}" "${12}").$(number "$9" "${10}")"
product_version="$(number "${15}" "${16}").$(number "${13}" "${14}").$(number "${19}" "${20}").$(number "${17}" "${18}")"
expected_numbers=$(echo "$version.0.0.0" | cut -d. -f1-4)
expect "the file version is $expected_numbers (found $file_version)" test "$file_version" = "$expected_numbers"
expect "the product version is $expected_numbers (found $product_version)" \
    test "$product_version" = "$expected_numbers"
strings -el -n 1 "$work/version" >"$work/strings"
value() { sed -n "/^$1\$/{n;p;q}" "$work/strings"; }
for name in FileVersion ProductVersion; do
    expect "$name says '$version' (found '$(value $name)')" test "$(value $name)" = "$version"
done
expect "ProductName says 'Tessary' (found '$(value ProductName)')" test "$(value ProductName)" = Tessary
case $(value LegalCopyright) in
*Copyright*MIT*) check ok "LegalCopyright names the MIT licence: $(value LegalCopyright)" ;;
*) check fail "LegalCopyright names the MIT licence (found '$(value LegalCopyright)')" ;;
esac

# The manifest: well-formed (Windows refuses to start a program whose manifest is not) and with
# the settings the program needs.
wrestool -x --raw -t24 "$exe" >"$work/manifest.xml"
expect "the manifest is well-formed XML" xmllint --noout "$work/manifest.xml"
manifest=$(tr -s '\n ' '  ' <"$work/manifest.xml")
for setting in '>PerMonitorV2, PerMonitor</dpiAwareness>' '>true/pm</dpiAware>' 'level="asInvoker"' \
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' \
    "version=\"$expected_numbers\""; do
    case $manifest in
    *"$setting"*) check ok "the manifest says $setting" ;;
    *) check fail "the manifest says $setting" ;;
    esac
done

headers=$(x86_64-w64-mingw32-objdump -h -p "$exe")
stamp=$(echo "$headers" | sed -n 's/^Time\/Date[[:space:]]*//p')
expect "no link time in the header (found '$stamp')" test "$stamp" = "Thu Jan  1 00:00:00 1970"
debug_sections=$(echo "$headers" | awk '$2 ~ /^\.debug/ { printf "%s ", $2 }')
expect "no debugging sections${debug_sections:+ (found $debug_sections)}" test -z "$debug_sections"
case $headers in
*"symbols stripped"*) check ok "no symbol table" ;;
*) check fail "no symbol table" ;;
esac

summary
