#!/bin/sh
# shellcheck disable=SC2086 # $missing is a list of package names, split on purpose
# Installs those of the Debian packages named on the command line that are missing, as root or
# through sudo. Running it again costs one dpkg query per package. A package the local lists do not
# know yet (or a newly added architecture) gets a refresh of the lists and a second attempt.
#
# A mirror can fail the refresh (an index whose size does not match its Release file while the
# mirror syncs, a network hiccup): `apt-get update` is then tried again, up to APT_UPDATE_TRIES (3)
# times APT_UPDATE_DELAY (20) seconds apart, and if every try fails the error of the last one is
# shown and the install is tried with the lists apt has. The exit status is that of the install.
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
$SUDO $APT install -y -q $missing && exit 0

tries=${APT_UPDATE_TRIES:-3}
delay=${APT_UPDATE_DELAY:-20}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
try=1
while :; do
    if $SUDO $APT update -q >"$log" 2>&1; then
        break
    fi
    if [ "$try" -ge "$tries" ]; then
        echo "apt-get update failed $try times; installing with the lists apt has. The last try said:"
        grep -E '^(E|W|Err):|^  ' "$log" || tail -n 20 "$log"
        break
    fi
    echo "apt-get update failed (try $try of $tries), trying again in $delay s"
    sleep "$delay"
    try=$((try + 1))
done
rm -f "$log"
exec $SUDO $APT install -y -q $missing
