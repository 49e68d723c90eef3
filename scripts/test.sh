#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs every test; makes the
# Debian package and checks it (lintian, install, verify, remove); then
# builds again under AddressSanitizer + UndefinedBehaviorSanitizer and runs
# every test there, and gives each fuzz target 30 seconds (FUZZ_SECONDS).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DMEROVAN_WERROR=ON -DMEROVAN_TESTS=ON
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300)
echo "== the Debian package"
"$root/scripts/package.sh" -DMEROVAN_WERROR=ON -DMEROVAN_TESTS=ON
"$root/scripts/package_check.sh"
echo "== under AddressSanitizer + UndefinedBehaviorSanitizer"
"$root/scripts/sanitize.sh"
echo "== fuzzing"
"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-30}"
