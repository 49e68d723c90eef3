#!/usr/bin/env bash
# Builds the Debian package from the plain build: build/merovan_VERSION_amd64.deb.
# Only what the package holds is built (the programs, icons, examples and
# compressed pages), never the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
MEROVAN_TARGET=merovan_package "$root/scripts/build.sh" "$@"
(cd "$root/build" && cpack -G DEB >/dev/null)
ls "$root"/build/merovan_*_*.deb
