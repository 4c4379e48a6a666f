#!/usr/bin/env bash
# The tool windows (x86_64 build, under Wine), each beside a baseline of the same run: the
# insert dialog's first opening beside a bare list view with the same rows, and "Find next"
# on a generated scan log whose only hit lies near the end beside a plain case-insensitive
# scan of the same text. Runs in a prefix and on an X display of its own, so it never
# disturbs the tests' prefix.
# Usage: bench/tools/run.sh [megabytes] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=${1:-10}
runs=${2:-9}
jobs=${SCRUTOR_JOBS:-2}
build=$root/build/win64
bash "$root/tools/setup/prepare.sh" >/dev/null
cd "$root"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target loggen -j "$jobs" >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target find_bench insert_dialog_bench -j "$jobs" >/dev/null

log=$build/bench/tools/scan-${size}MB.log
build/native-release/tools/loggen/loggen "$log" "$size" 1 >/dev/null

export SCRUTOR_WINEPREFIX=$root/build/bench-tools/prefix
unset DISPLAY
. "$root/tools/wine/common.sh"
trap scrutor_wine_stop EXIT
scrutor_wine_ready
# Other work on this machine shows in the figures: say how busy it was.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
timeout 900 wine "$build/bench/tools/insert_dialog_bench.exe" "$runs" || status=$?
timeout 1800 wine "$build/bench/tools/find_bench.exe" "Z:${log//\//\\}" "$runs" || status=$?
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
