#!/usr/bin/env bash
# Configures (once) and builds into build/, for the prefix /usr that the
# package installs into. Extra arguments go to CMake; MEROVAN_TARGET names
# one target to build instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)" ${MEROVAN_TARGET:+--target "$MEROVAN_TARGET"}
