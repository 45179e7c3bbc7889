#!/bin/sh
# The NSIS installer of one architecture under Wine, as a user or an administrator's script would
# use it: installed silently (/S), the installed program answers --version, the installation is
# listed among the installed programs with its name, version and icon and has its Start-menu
# shortcut, installing again replaces it, and the silent uninstaller removes all of it.
#
# usage: installer-wine.sh <tessary-<version>-win*.exe> <version>
# Runs in the Wine prefix of smoke-wine.sh (wine-prefix/ next to the installer).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
version=$2
# shellcheck source=tests/windows/wine-env.sh
. "$here/wine-env.sh"
echo "== $arch installer: $exe ($(stat -c %s "$exe") bytes)"
wine_or_skip
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/installer-session.sh" "$exe" "$version"
