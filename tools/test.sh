#!/usr/bin/env bash
# The test command: installs what is missing, builds all three builds, runs the
# core tests natively under ASan + UBSan, then every test executable of the
# x86_64 Windows build under Wine on a virtual display.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${SCRUTOR_JOBS:-2}

step() { echo; echo "== $*"; }
fail() { echo "test: $*" >&2; exit 1; }

step "prerequisites"
bash tools/setup/prepare.sh || fail "installing prerequisites failed"

for preset in native win64 win32 native-release; do
  step "build $preset"
  cmake --preset "$preset" >/dev/null || fail "configure $preset failed"
  cmake --build --preset "$preset" -j "$jobs" || fail "build $preset failed"
done

summaries=()
status=0
run_ctest() {
  local preset=$1 log=build/$1/ctest.log
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  summaries+=("$preset: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
  [ "$rc" -eq 0 ] || status=1
}

step "native core tests (ASan + UBSan)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest native

step "Windows tests under Wine"
. tools/wine/common.sh
scrutor_wine_ready
run_ctest win64
scrutor_wine_stop

step "summary"
printf '%s\n' "${summaries[@]}"
# One line in CTest's own words for both runs together.
failed=0; total=0
for s in "${summaries[@]}"; do
  n=$(sed -n 's/.* out of \([0-9][0-9]*\).*/\1/p' <<<"$s")
  f=$(sed -n 's/.*, \([0-9][0-9]*\) tests failed.*/\1/p' <<<"$s")
  total=$((total + ${n:-0})); failed=$((failed + ${f:-0}))
done
[ "$total" -gt 0 ] || status=1
percent=$(( total > 0 ? 100 * (total - failed) / total : 0 ))
echo "${percent}% tests passed, ${failed} tests failed out of ${total}"
exit "$status"
