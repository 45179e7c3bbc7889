#!/bin/sh
# Installs what making and checking the Debian package needs beyond scripts/install-deps.sh:
# dpkg-shlibdeps (dpkg-dev) for the library dependencies and desktop-file-validate for the entry.
set -eu
exec "$(dirname "$0")/install-packages.sh" dpkg-dev file desktop-file-utils
