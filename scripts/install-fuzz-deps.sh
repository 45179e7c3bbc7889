#!/bin/sh
# Installs clang and its runtime (libFuzzer and the sanitizers for clang) for `make fuzz`, only
# when they are missing.
set -eu

PACKAGES="clang-14 libclang-rt-14-dev"
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
if ! $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q $missing; then
    $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
    $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q $missing
fi
