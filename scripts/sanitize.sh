#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (halting on the first finding) into
# build-asan/, with the fuzz targets, and runs every test there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMEROVAN_SANITIZE=ON -DMEROVAN_FUZZ=ON >/dev/null
cmake --build "$root/build-asan" -j "$(nproc)"
if [[ ${1:-} == --build-only ]]; then exit 0; fi
cd "$root/build-asan"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
