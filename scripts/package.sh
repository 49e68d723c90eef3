#!/usr/bin/env bash
# Builds the Debian package from the plain build: build/merovan_VERSION_amd64.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$@"
(cd "$root/build" && cpack -G DEB >/dev/null)
ls "$root"/build/merovan_*_*.deb
