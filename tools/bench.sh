#!/usr/bin/env bash
# Builds the optimised native tree and runs the text benchmarks, then prints each figure
# beside its baseline of the same run (min and median of the repetitions, processor time:
# the machine may be shared). Extra arguments go to the benchmark program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup/prepare.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "${SCRUTOR_JOBS:-2}" --target text_bench
out=build/native-release/bench/text_bench.json
build/native-release/bench/text_bench --benchmark_counters_tabular=true \
  --benchmark_repetitions="${SCRUTOR_BENCH_RUNS:-5}" --benchmark_report_aggregates_only=true \
  --benchmark_out="$out" --benchmark_out_format=json "$@"
python3 - "$out" <<'PY'
import json, sys
rows = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("error_occurred"):
        print(f"{b['run_name']}: {b.get('error_message', 'failed')}")
        continue
    if b.get("run_type") != "aggregate" or b["aggregate_name"] not in ("min", "median"):
        continue
    # grep's figure is its own processor time, given as the manual time.
    ms = b["real_time"] if "manual_time" in b["run_name"] else b["cpu_time"]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
    rows.setdefault(b["run_name"].split("/")[0], {})[b["aggregate_name"]] = ms * scale
print(f"\n{'processor ms (min / median)':<44}{'ours':>20}{'baseline':>20}{'ratio':>8}")
for name, ours in rows.items():
    if "_Baseline_" in name:
        continue
    group = name.split("_")[1]
    base = next((v for k, v in rows.items() if k.startswith(f"BM_{group}_Baseline_")), None)
    if base is None or "median" not in ours or "median" not in base:
        continue
    cell = lambda r: f"{r['min']:.3f} / {r['median']:.3f}"
    print(f"{name:<44}{cell(ours):>20}{cell(base):>20}{ours['median'] / base['median']:>7.2f}x")
PY
