#!/bin/sh
# shellcheck disable=SC2086 # $PACKAGES is a list of package names, split on purpose
# Installs what the Windows build and its smoke test need: the mingw-w64 cross compilers for both
# architectures, Wine for both (32-bit Wine needs Debian's i386 architecture), the 32-bit Mesa
# drivers 32-bit Wine renders with, zlib for the program's PNG encoder, ImageMagick for the
# screenshots, NSIS for the installers, and icoutils (wrestool, icotool) and xmllint to read the
# resources of the .exe files. About 2 GB, so
# only the Windows targets of the Makefile call it; `make test` and `make run` never do.
set -eu

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

PACKAGES="cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 libz-mingw-w64-dev \
wine wine64 wine32:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386 libglu1-mesa:i386 \
libgl1-mesa-dri libglu1-mesa xvfb xauth xdotool imagemagick nsis icoutils libxml2-utils \
fonts-arphic-uming fonts-wqy-microhei fonts-cwtex-yen"

# 32-bit Wine lives in the i386 architecture, which a fresh amd64 system does not have yet; the
# package script refreshes the lists when the new architecture's packages are not known.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
exec "$(dirname "$0")/install-packages.sh" $PACKAGES
