#!/bin/sh
# Installs what making and checking the Debian package needs beyond scripts/install-deps.sh:
# dpkg-shlibdeps and dpkg-buildflags (dpkg-dev) for the library dependencies and the hardening flags,
# desktop-file-validate for the entry, appstreamcli for the metainfo, lintian for the package as a
# whole.
set -eu
exec "$(dirname "$0")/install-packages.sh" dpkg-dev file desktop-file-utils appstream lintian
