#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 30) on the sanitizer build
# (scripts/sanitize.sh --build-only makes it). Seeds come from samples/ and
# the tests; what a target learns stays in build-asan/fuzz-corpus/. A crash
# leaves its input in build-asan/fuzz-crashes/TARGET/ and fails the run:
# fix it, then keep the input in fuzz/regressions/TARGET/, where ctest
# replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
bin=$root/build-asan/fuzz
work=$root/build-asan/fuzz-work
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
export QT_QPA_PLATFORM=offscreen

seed() { # seed TARGET: fills and names the target's seed folder
  local dir=$work/seeds/$1
  rm -rf "$dir" && mkdir -p "$dir"
  case $1 in
    fuzz_job)
      cp "$root"/samples/*.txt "$dir"/ 2>/dev/null || true
      for job in "$root"/tests/e2e/golden/*/job.txt; do cp "$job" "$dir/$(basename "$(dirname "$job")").txt"; done ;;
    fuzz_replies)
      printf '00 OK\r\x04' >"$dir/ok"; printf 'DE1038' >"$dir/error"; printf 'STAT:2\r\x04' >"$dir/status"
      printf '0000000DE1064C\r\x04' >"$dir/status-error"; printf '00 OK:00012:00034:00005\r\x04' >"$dir/counters"
      printf '358OK:f1:f2:1234:f4:f5:f6:f7:f8:f9:f10:f11:f12:f13:f14\r\x04' >"$dir/card"
      printf '00 OK:12:3450\r\x04' >"$dir/table" ;;
    fuzz_settings)
      printf '[port] com1\r\n[baud] 9600\r\n[file] print\r\n[multi type] true\r\n[AutoStar]=yes\r\n[currency]=2\r\n' >"$dir/param.ini" ;;
    fuzz_data_files)
      cp "$root/tests/e2e/golden/vats.dat" "$dir/"
      for file in "$root"/tests/e2e/golden/*/payeft.dat; do cp "$file" "$dir/$(basename "$(dirname "$file")").dat"; done ;;
    fuzz_sim_commands)
      for trace in "$root"/tests/e2e/golden/*/trace.txt; do
        sed 's/$/\r/' "$trace" >"$dir/$(basename "$(dirname "$trace")")"
      done ;;
  esac
  echo "$dir"
}

failed=0
for target in fuzz_job fuzz_replies fuzz_settings fuzz_data_files fuzz_sim_commands; do
  corpus=$work/corpus/$target crashes=$work/crashes/$target
  mkdir -p "$corpus" "$crashes"
  seeds=$(seed "$target")
  if ! (cd "$work" && "$bin/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$corpus" "$seeds" >"$work/$target.log" 2>&1); then
    echo "$target: CRASH, input kept in $crashes (log: $work/$target.log)"
    failed=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$' || echo '?')
  echo "$target: $runs runs in ${seconds}s"
done
exit $failed
