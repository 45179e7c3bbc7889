#!/bin/sh
# shellcheck disable=SC2086 # $missing is a list of package names, split on purpose
# Installs those of the Debian packages named on the command line that are missing, as root or
# through sudo. Running it again costs one dpkg query per package. A package the local lists do not
# know yet (or a newly added architecture) gets one refresh of the lists and a second attempt.
set -eu

missing=""
for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
APT="apt-get -o DPkg::Lock::Timeout=600"
if ! $SUDO $APT install -y -q $missing; then
    $SUDO $APT update -q
    $SUDO $APT install -y -q $missing
fi
