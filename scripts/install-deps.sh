#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, but only those that are
# missing, so running it again costs one dpkg query. Used by every Makefile target.
set -eu

PACKAGES="cmake g++ make pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev libegl-mesa0 libgl1-mesa-dri \
libfreetype-dev libfontconfig-dev libpng-dev libgtest-dev libbenchmark-dev xvfb xauth xfonts-base xdotool x11-apps python3 \
fonts-arphic-uming fonts-wqy-microhei fonts-cwtex-yen"

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
# A package the local lists do not know yet needs a refresh of the lists first.
if ! $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q $missing; then
    $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
    $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q $missing
fi
