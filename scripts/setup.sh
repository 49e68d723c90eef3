#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, packaging and the
# demo need (python3 runs the job-file guide's example host in a test;
# chromium, its driver and selenium drive the web console's browser test).
# Idempotent: when everything is there it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev qt6-qpa-plugins
  libsystemd-dev systemd
  libgtest-dev libgmock-dev
  fonts-dejavu-core
  xvfb
  clang-14 libclang-rt-14-dev
  lintian man-db
  python3
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite
  chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing packages: ${missing[*]}; run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
