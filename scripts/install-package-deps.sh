#!/bin/sh
# shellcheck disable=SC2086 # $missing is a list of package names, split on purpose
# Installs what making and checking the Debian package needs beyond scripts/install-deps.sh:
# dpkg-shlibdeps (dpkg-dev) for the library dependencies and desktop-file-validate for the entry.
set -eu

PACKAGES="dpkg-dev file desktop-file-utils"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y -q --no-install-recommends $missing; then
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
