#!/usr/bin/env bash
# Fuzzes the parsers of untrusted input: builds the libFuzzer targets with clang (ASan and
# UBSan), runs each for the given seconds on its kept corpus (tests/fuzz/corpus/<target>)
# plus a scratch folder, then minimises both back into the kept corpus, which the test
# command replays. Prints per target executions, coverage and any crash file.
#   tools/fuzz.sh [seconds] [target...]     FUZZ_JOBS=3 runs three targets at a time
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
build=$root/build/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  read -ra targets <<<"$(sed -n 's/^set(SCRUTOR_FUZZ_TARGETS \(.*\)/\1/p;s/^ *\([a-z_ ]*\))$/\1/p' \
    "$root/tests/fuzz/CMakeLists.txt" | tr '\n' ' ')"
fi

command -v clang++ >/dev/null || { echo "fuzz.sh: needs clang and libclang-rt-dev" >&2; exit 1; }
# PCRE2 built with coverage feedback (not itself checked) from the source package that the
# MinGW builds fetched, so the regex and filter fuzzers see which pattern paths they reach.
pcre2=()
pcre2_src=$(ls -d "$root"/build/deps/*/pcre2-src/pcre2-*/ 2>/dev/null | head -n 1 || true)
if [ -n "$pcre2_src" ]; then
  if [ ! -f "$build/pcre2/lib/libpcre2-16.a" ]; then
    cmake -S "$pcre2_src" -B "$build/pcre2-build" -G Ninja -DCMAKE_C_COMPILER=clang \
      -DCMAKE_C_FLAGS="-O1 -fsanitize=fuzzer-no-link" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_INSTALL_PREFIX="$build/pcre2" -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
      -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF >/dev/null
    cmake --build "$build/pcre2-build" -j2 >/dev/null && cmake --install "$build/pcre2-build" >/dev/null
  fi
  pcre2=(-DPCRE2_INCLUDE_DIR="$build/pcre2/include" -DPCRE2_LIBRARY="$build/pcre2/lib/libpcre2-16.a")
else
  echo "fuzz.sh: no PCRE2 source under build/deps (tools/test.sh fetches it); using the system's"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${pcre2[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSCRUTOR_FUZZ=ON -DSCRUTOR_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

run_one() {
  local target=$1 corpus=$root/tests/fuzz/corpus/$1 work=$build/runs/$1
  rm -rf "$work" && mkdir -p "$work/scratch" "$work/crashes" "$work/minimised" "$corpus"
  "$build/tests/fuzz/$target" "$work/scratch" "$corpus" -max_total_time="$seconds" \
    -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" >"$work/fuzz.log" 2>&1 || true
  # Keep the smallest set of inputs that reaches every edge either folder reached, and every
  # reproducer of a mended fault (kept under its crash-/timeout- name).
  if "$build/tests/fuzz/$target" -set_cover_merge=1 -use_counters=0 "$work/minimised" \
    "$corpus" "$work/scratch" >"$work/merge.log" 2>&1 && [ -n "$(ls -A "$work/minimised")" ]; then
    find "$corpus" -type f ! -name 'crash-*' ! -name 'timeout-*' -delete
    cp "$work/minimised"/* "$corpus"/
  fi
}

summary() {
  local target=$1 work=$build/runs/$1 log=$build/runs/$1/fuzz.log
  local execs rate cov
  field() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
  execs=$(field number_of_executed_units) rate=$(field average_exec_per_sec)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  printf '%-12s %10s execs %6s exec/s  %-22s corpus %4s files  crashes: %s\n' "$target" \
    "${execs:-?}" "${rate:-?}" "${cov:-cov: ?}" "$(ls "$root/tests/fuzz/corpus/$target" | wc -l)" \
    "$(ls "$work/crashes" | sed "s|^|$work/crashes/|" | tr '\n' ' ')"
}

jobs=${FUZZ_JOBS:-1}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$target" &
done
wait
for target in "${targets[@]}"; do summary "$target"; done
