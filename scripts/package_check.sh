#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: lintian finds no
# error or warning; it installs with dpkg; the installed programs answer and
# the installed bridge reaches the installed simulator; the service unit
# passes systemd-analyze verify; a register set up with "merovand --init"
# runs as the merovan user and prints, once, a job that a user of the
# merovan group handed over; and it removes cleanly. Needs root.
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
ls /usr/share/doc/merovan/examples/param.ini /usr/share/doc/merovan/examples/vats.dat \
  /usr/share/doc/merovan/examples/payeft.dat /usr/share/doc/merovan/job-files.md >/dev/null
dpkg-deb -f "$deb" Recommends | grep -qw xdg-utils

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

echo "-- a register set up with --init: the service user runs it, a host user in the group hands a job over"
shop=/var/lib/merovan/package-check
host=merovan-host-check
work=$(mktemp -d)
chmod 755 "$work"
port=$((20000 + RANDOM % 20000))
/usr/bin/merovand --init "$shop" > "$work/init.out"
[[ $(stat -c '%U:%G %a' "$shop") == "merovan:merovan 755" ]]
[[ $(stat -c '%U:%G %a' "$shop/jobs") == "merovan:merovan 2775" ]]
[[ $(stat -c '%U:%G' "$shop/param.ini" "$shop/vats.dat" "$shop/payeft.dat" | sort -u) == "merovan:merovan" ]]
sed -i "s/^\[port\] .*/[port] 127.0.0.2\r/; s/^\[baud\] .*/[baud] $port\r/" "$shop/param.ini"
id "$host" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$host"
usermod -aG merovan "$host"
cleanup_shop() {
  kill "${bridge:-}" "${sim:-}" 2>/dev/null || true
  wait 2>/dev/null || true
  userdel "$host" 2>/dev/null || true
  rm -rf "$shop" "$work"
}
trap 'cleanup_shop; dpkg --purge merovan >/dev/null 2>&1 || true' EXIT
/usr/bin/merovan-sim --udp "127.0.0.2:$port" --trace "$work/trace.txt" --paper "$work/paper.txt" > "$work/sim.out" &
sim=$!
(cd "$shop" && exec runuser -u merovan -- /usr/bin/merovand > "$work/service.out" 2>&1) &
bridge=$!
for _ in $(seq 200); do grep -q "caption: Merovan- Αναμονή" "$work/service.out" && break; sleep 0.1; done
grep -q "caption: Merovan- Αναμονή" "$work/service.out" || { cat "$work/service.out"; exit 1; }
# The host's user checks the job dry in the register's folder, then hands it over: written, then renamed.
(cd "$shop" && runuser -u "$host" -- /usr/bin/merovand --check /usr/share/doc/merovan/examples/receipt.txt > "$work/check.out")
runuser -u "$host" -- sh -c "cp /usr/share/doc/merovan/examples/receipt.txt '$shop/jobs/.receipt.tmp' && \
  mv '$shop/jobs/.receipt.tmp' '$shop/jobs/print.1'"
for _ in $(seq 300); do grep -q "exitcode = " "$shop/Result" 2>/dev/null && [[ ! -e "$shop/jobs/print.1" ]] && break; sleep 0.1; done
sleep 2 # long enough for a second printing, were there one
runuser -u "$host" -- cat "$shop/Result" | tr -d '\r' > "$work/result.txt"
grep -qx "tag = DEMO-0001" "$work/result.txt" && grep -qx "exitcode = 0" "$work/result.txt" \
  || { cat "$work/result.txt" "$work/service.out"; exit 1; }
[[ $(grep -c "ΑΠΟΔΕΙΞΗ ΛΙΑΝΙΚΗΣ" "$work/paper.txt") -eq 1 ]] || { cat "$work/paper.txt"; exit 1; }
[[ ! -e "$shop/jobs/print.1" ]]
kill "$bridge" "$sim"
wait "$bridge" "$sim" || true
bridge= sim=
cleanup_shop
trap 'dpkg --purge merovan >/dev/null 2>&1 || true' EXIT

echo "-- remove"
dpkg --purge merovan >/dev/null
trap - EXIT
[[ ! -e /usr/bin/merovand && ! -e /usr/lib/systemd/system/merovand@.service ]]
echo "package check: $(basename "$deb") passed"
