#!/bin/sh
# Installs clang and its runtime (libFuzzer and the sanitizers for clang) for `make fuzz`, only
# when they are missing.
set -eu
exec "$(dirname "$0")/install-packages.sh" clang-14 libclang-rt-14-dev
