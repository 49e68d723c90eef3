#!/usr/bin/env bash
# Sets up, builds, and runs the bridge against the register simulator in a
# demo folder (build/demo). With a display the desktop bridge opens; without
# one merovand runs in the terminal. The host API and its web console listen
# on 127.0.0.1:8088. Ctrl+C (or closing the bridge) stops both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" -DMEROVAN_TESTS=OFF

demo="$root/build/demo"
bin="$root/build/bin"
mkdir -p "$demo/jobs"
cd "$demo"
cp "$root/samples/vats.dat" vats.dat

# With a display the operator presses "Έναρξη Εκτύπωσης"; merovand has no
# button, so it starts printing by itself once the register answers.
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then autostart=no; else autostart=yes; fi

# The register sits on 127.0.0.2, the same UDP port the bridge binds.
printf '%s\r\n' \
  '# Set up for merovan program (demo)' \
  '[port] 127.0.0.2' \
  '[baud] 5012' \
  '[file] print' \
  '[ecrt] mikro' \
  '[multi type] true' \
  '[time] 0' \
  '[print_desc] true' \
  '[print_code] falseN' \
  '[comments] true' \
  '[currency]=0' \
  '[keyb_off]=false' \
  '[dir_depa]=false' \
  '[quantity]=false' \
  "[AutoStar]=$autostart" \
  "[location] $demo/jobs/" \
  '[http] 127.0.0.1:8088' > param.ini

"$bin/merovan-sim" --udp 127.0.0.2:5012 --trace "$demo/trace.txt" --paper "$demo/paper.txt" &
sim=$!
bridge=
# Whatever stops the demo (Ctrl+C, a signal, the bridge ending) stops both.
stop() { kill $bridge "$sim" 2>/dev/null; wait 2>/dev/null || true; }
trap stop EXIT
trap 'exit 130' INT TERM

echo "demo folder: $demo (simulator trace: trace.txt, paper roll: paper.txt, result file: Result)"
echo "print a receipt: cp $root/samples/receipt.txt $demo/jobs/print.tmp && mv $demo/jobs/print.tmp $demo/jobs/print.1"
echo "host API and web console: http://127.0.0.1:8088/ (this machine only)"
echo "  or by HTTP: curl -H 'Idempotency-Key: demo-1' --data-binary @$root/samples/receipt.txt 'http://127.0.0.1:8088/v1/jobs?wait=30'"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  "$bin/merovan" &
else
  echo "no display: running merovand (Ctrl+C to stop)"
  "$bin/merovand" &
fi
bridge=$!
# A signal interrupts this wait at once, unlike a program in the foreground.
wait "$bridge" || true
