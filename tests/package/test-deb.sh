#!/bin/sh
# Checks the Debian package as a user's system would see it: its dependencies, the files it
# installs, the desktop entry and icons, and the installed program itself, unpacked into a scratch
# root with dpkg -x and started headless (SDL's offscreen driver), where it must find the font
# configuration installed beside it and end with exit code 0 on SIGTERM, as on a window manager's
# close request.
#
# usage: test-deb.sh <tessary_*.deb>
set -eu
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# shellcheck source=tests/support/checks.sh
. "$(dirname "$0")/../support/checks.sh"

echo "== $deb ($(stat -c %s "$deb") bytes)"

# lintian as Debian runs it: any error or warning fails. No tag is overridden.
lintian_status=0
lintian_tags=$(lintian --fail-on error,warning "$deb") || lintian_status=$?
echo "lintian: ${lintian_tags:-(no tags)}"
expect "lintian reports no error or warning (exit code $lintian_status)" \
    test "$lintian_status" -eq 0 -a -z "$lintian_tags"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in fonts-arphic-uming fonts-wqy-microhei fonts-cwtex-yen libsdl2-2.0-0 libgl1 libfreetype6 \
    libfontconfig1 libwebp7 libwebpmux3 libgif7 zlib1g; do
    case ", $depends," in
    *", $package"[\ ,]*) check ok "depends on $package" ;;
    *) check fail "depends on $package" ;;
    esac
done

# apt's simulation resolves the dependencies against this system's package lists.
deb_path=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
if simulation=$(apt-get install -s "$deb_path" 2>&1) && echo "$simulation" | grep -q "^Inst tessary"; then
    check ok "apt can install it"
else
    check fail "apt cannot install it: $(echo "$simulation" | tail -n 5)"
fi

# The AppStream component ID, which names both the metainfo and the desktop entry.
app_id=org.tessary.tessary
dpkg -x "$deb" "$root"
for file in usr/bin/tessary usr/share/tessary/fonts.conf usr/share/applications/$app_id.desktop \
    usr/share/metainfo/$app_id.metainfo.xml \
    usr/share/doc/tessary/copyright usr/share/doc/tessary/changelog.gz usr/share/man/man6/tessary.6.gz; do
    expect "installs /$file" test -s "$root/$file"
done
# The fonts the program depends on, each named with its licence (the file's lines joined).
copyright=$(tr -s '\n ' '  ' <"$root/usr/share/doc/tessary/copyright")
for font in "fonts-arphic-uming:Arphic Public License" "fonts-wqy-microhei:Apache-2.0 or GPL-3+" \
    "fonts-cwtex-yen:GPL-2+"; do
    case "$copyright" in
    *" ${font%%:*}: "[!:]*"${font#*:}"*) check ok "the copyright names ${font%%:*} and its licence" ;;
    *) check fail "the copyright names ${font%%:*} and its licence (${font#*:})" ;;
    esac
done
expect "/usr/bin/tessary is executable" test -x "$root/usr/bin/tessary"
missing_libraries=$(ldd "$root/usr/bin/tessary" | grep "not found" || true)
expect "every library of /usr/bin/tessary is found${missing_libraries:+ (missing: $missing_libraries)}" test -z "$missing_libraries"

desktop=$root/usr/share/applications/$app_id.desktop
if validation=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$validation" ]; then
    check ok "desktop-file-validate accepts the desktop entry"
else
    check fail "desktop-file-validate: $validation"
fi
expect "the entry starts tessary" grep -qx "Exec=tessary" "$desktop"

# The metainfo as software centres read it: alone, then with the tree it is installed in, where
# the desktop entry it names must be (a missing or misnamed one is a warning). Any error or warning
# fails; AppStream's info and pedantic hints are printed and accepted. --no-net: the screenshot and
# the home page are checked where they are published, not here.
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
for command in "validate $metainfo" "validate-tree $root/usr"; do
    appstream_status=0
    # shellcheck disable=SC2086 # the command and its argument, split on purpose
    appstream=$(appstreamcli ${command%% *} --no-net --explain ${command#* } 2>&1) || appstream_status=$?
    echo "appstreamcli ${command%% *} --no-net:"
    echo "$appstream" | sed 's/^/    /'
    findings=$(echo "$appstream" | grep -E '^ *[EW]: ' || true)
    expect "appstreamcli ${command%% *} reports no error or warning (exit code $appstream_status)${findings:+: $findings}" \
        test "$appstream_status" -eq 0 -a -z "$findings"
done
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
expect "the metainfo's newest release is the package's version (expected '$(dpkg-deb -f "$deb" Version)', got '$release')" \
    test "$release" = "$(dpkg-deb -f "$deb" Version)"
icon=$(sed -n 's/^Icon=//p' "$desktop")

# Each icon is a square RGBA PNG of its directory's size (width and height at bytes 16 to 23,
# colour type at byte 25), under the name the entry gives.
for size in 48 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ -f "$png" ]; then
        header=$(od -An -tu1 -j16 -N10 "$png" | tr -s ' ' | sed 's/^ //')
        # shellcheck disable=SC2086 # split the bytes into positional parameters
        set -- $header
        width=$(($1 * 16777216 + $2 * 65536 + $3 * 256 + $4))
        height=$(($5 * 16777216 + $6 * 65536 + $7 * 256 + $8))
        colour_type=${10}
        expect "icon ${size}x${size} is RGBA (found ${width}x${height}, colour type $colour_type)" \
            test "$width" -eq "$size" -a "$height" -eq "$size" -a "$colour_type" -eq 6
    else
        check fail "no icon $png"
    fi
done

version=$(dpkg-deb -f "$deb" Version)
answer=$("$root/usr/bin/tessary" --version)
expect "--version says the package's version (expected 'tessary $version', got '$answer')" \
    test "$answer" = "tessary $version"

# The installed program, headless. FC_DEBUG=1024 makes fontconfig name every file it loads.
log=$root/tessary.log
SDL_VIDEODRIVER=offscreen FC_DEBUG=1024 "$root/usr/bin/tessary" >"$log" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null; then
    check ok "the installed program is running after 3 s"
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    expect "it ends with exit code 0 on SIGTERM (exit code $status)" test "$status" -eq 0
else
    status=0
    wait "$pid" || status=$?
    check fail "the installed program ended at once with exit code $status"
    tail -n 20 "$log"
fi
expect "it loads the font configuration installed beside it" \
    grep -q "Loading config file from $root/usr/share/tessary/fonts.conf done" "$log"

summary
