#!/usr/bin/env bash
# Builds the optimised native tree and runs the text benchmarks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup/prepare.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "${SCRUTOR_JOBS:-2}" --target text_bench
exec build/native-release/bench/text_bench --benchmark_counters_tabular=true "$@"
