#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: lintian finds no
# error or warning; it installs with dpkg; the installed programs answer and
# the installed bridge reaches the installed simulator; the service unit
# passes systemd-analyze verify; and it removes cleanly. Needs root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(ls "$root"/build/merovan_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)

if [[ $(id -u) -ne 0 ]]; then
  echo "package check: installing needs root" >&2
  exit 1
fi

echo "-- lintian"
lintian --fail-on error,warning "$deb"

echo "-- install"
dpkg -i "$deb" >/dev/null
trap 'dpkg --purge merovan >/dev/null 2>&1 || true' EXIT
[[ $(/usr/bin/merovand --version) == "merovand $version" ]]
[[ $(/usr/bin/merovan --version) == "merovan $version" ]]
/usr/bin/merovan-sim --help | grep -q -- "--firmware TEXT"
[[ $(/usr/bin/merovan-sim --version) == "merovan-sim $version" ]]
id -nG merovan | grep -qw dialout
[[ -d /var/lib/merovan ]]
man -w merovand merovan merovan-sim >/dev/null

echo "-- units"
systemd-analyze verify /usr/lib/systemd/system/merovand@.service

echo "-- the installed bridge reaches the installed simulator"
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
printf '[port] 127.0.0.2\r\n[baud] %s\r\n[file] print\r\n' "$port" > "$work/param.ini"
/usr/bin/merovan-sim --udp "127.0.0.2:$port" --trace "$work/trace.txt" > "$work/sim.out" &
sim=$!
(cd "$work" && exec /usr/bin/merovand > "$work/bridge.out" 2>&1) &
bridge=$!
for _ in $(seq 100); do grep -q "Merovan- Έτοιμο" "$work/bridge.out" && break; sleep 0.1; done
kill "$bridge" "$sim"
wait "$bridge" "$sim" || true
grep -q "caption: Merovan- Έτοιμο" "$work/bridge.out" || { cat "$work/bridge.out"; exit 1; }
rm -rf "$work"

echo "-- remove"
dpkg --purge merovan >/dev/null
trap - EXIT
[[ ! -e /usr/bin/merovand && ! -e /usr/lib/systemd/system/merovand@.service ]]
echo "package check: $(basename "$deb") passed"
