#!/bin/sh
# The Wine half of installer-wine.sh, run on the Xvfb display that script starts. Expects
# WINEPREFIX, WINEARCH and WINELOADER in the environment.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
installer=$1
version=$2
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/wine.log
export WINEDEBUG="${WINEDEBUG:-err+all,fixme-all}"
# shellcheck source=tests/support/checks.sh
. "$here/../support/checks.sh"

# Ends the test at once: what follows depends on this step.
stop() {
    check fail "$1"
    echo "--- Wine's output:"
    tail -n 30 "$log"
    summary
    exit 1
}

wine() { "$WINELOADER" "$@" 2>>"$log"; }

"$here/wine-prefix.sh" "$log" || stop "no Wine prefix"

# The key Windows lists installed programs under. Its name and the folder carry no version, so a
# newer installer finds the older installation and replaces it.
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessary'
folder='C:\Program Files\Tessary'
unix_folder=$(wine winepath -u "$folder" | tr -d '\r')
# Prints the value of $1 in the uninstall key, or nothing.
entry() { wine reg query "$key" /v "$1" | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
# The Start-menu shortcuts (for all users when the installer runs as an administrator, as here).
shortcuts() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -iname '*.lnk' -path '*Tessary*' | sort; }

# A run that failed half-way may have left an installation: its own uninstaller removes it, and
# whatever it leaves goes too, so that the installer never meets a broken one (it would ask what
# to do, even when silent).
left_over=$(entry UninstallString | tr -d '"')
if [ -n "$left_over" ]; then
    timeout 120 "$WINELOADER" "$(wine winepath -u "$left_over" | tr -d '\r')" /S 2>>"$log" || true
    "$wineserver" -w
    wine reg delete "$key" /f >/dev/null || true
    rm -rf "$unix_folder"
    echo "removed the installation a previous run left"
fi

install() {
    status=0
    timeout 120 "$WINELOADER" "$installer" /S 2>>"$log" || status=$?
    "$wineserver" -w
    [ "$status" -eq 0 ] || stop "the silent installation ended with exit code $status"
}

check_installation() {
    for file in tessary.exe LICENSE.txt README.txt Uninstall.exe; do
        expect "$1: installs $folder\\$file" test -s "$unix_folder/$file"
    done
    answer=$(wine "$unix_folder/tessary.exe" --version | tr -d '\r')
    expect "$1: the installed tessary.exe --version says 'tessary $version' (got '$answer')" \
        test "$answer" = "tessary $version"
    name=$(entry DisplayName)
    expect "$1: listed among the installed programs as 'Tessary' (found '$name')" test "$name" = Tessary
    listed_version=$(entry DisplayVersion)
    expect "$1: listed with version $version (found '$listed_version')" test "$listed_version" = "$version"
    icon=$(entry DisplayIcon)
    expect "$1: listed with the icon of $folder\\tessary.exe (found '$icon')" test "$icon" = "$folder\\tessary.exe"
    uninstall=$(entry UninstallString)
    expect "$1: listed with its uninstaller (found '$uninstall')" test "$uninstall" = "\"$folder\\Uninstall.exe\""
    entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /v DisplayName |
        tr -d '\r' | grep -c 'REG_SZ *Tessary$' || true)
    expect "$1: listed once (found $entries entries)" test "$entries" -eq 1
    links=$(shortcuts)
    case $links in
    *"/Tessary.lnk"*) check ok "$1: a Start-menu shortcut Tessary" ;;
    *) check fail "$1: a Start-menu shortcut Tessary (found: ${links:-none})" ;;
    esac
}

start=$(date +%s)
install
check_installation "installed"
# The installer finds the installation under the key above, runs its uninstaller silently and
# installs again, as it does when a newer version replaces an older one. The uninstaller removes
# the whole key, so a value added to it must be gone afterwards.
wine reg add "$key" /v TessaryTestMarker /d old /f >/dev/null || stop "cannot mark the uninstall key"
install
expect "installed again: the older installation was uninstalled first (the key's marker is gone)" \
    test -z "$(entry TessaryTestMarker)"
check_installation "installed again"
echo "installed twice in $(($(date +%s) - start)) s"

status=0
timeout 120 "$WINELOADER" "$unix_folder/Uninstall.exe" /S 2>>"$log" || status=$?
# The uninstaller copies itself to a temporary folder and runs from there: wait for that copy too.
"$wineserver" -w
expect "the silent uninstaller ends with exit code 0 (found $status)" test "$status" -eq 0
left=$(find "$unix_folder" 2>/dev/null | head -n 5 | tr '\n' ' ')
expect "uninstalled: $folder is gone${left:+ (left: $left)}" test -z "$left"
expect "uninstalled: no longer listed among the installed programs" test -z "$(entry UninstallString)"
links=$(shortcuts)
expect "uninstalled: no Start-menu shortcut left${links:+ (left: $links)}" test -z "$links"

summary
