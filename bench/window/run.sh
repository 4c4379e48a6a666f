#!/usr/bin/env bash
# The main window (x86_64 build, under Wine) on a generated scan log beside Wine's own
# notepad.exe on the same file, in the same run: start to text for both, and "Hide Microsoft
# signed files" in Scrutor. Runs in a prefix and on an X display of its own, so it never
# disturbs the tests' prefix. Usage: bench/window/run.sh [megabytes] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=${1:-10}
runs=${2:-5}
jobs=${SCRUTOR_JOBS:-2}
build=$root/build/win64
bash "$root/tools/setup/prepare.sh" >/dev/null
cd "$root"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target loggen -j "$jobs" >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target window_bench -j "$jobs" >/dev/null

log=$build/bench/window/scan-${size}MB.log
build/native-release/tools/loggen/loggen "$log" "$size" 1 >/dev/null
cat "$log" >/dev/null  # into the page cache

export SCRUTOR_WINEPREFIX=$root/build/bench-window/prefix
unset DISPLAY  # keystrokes must reach our windows only
. "$root/tools/wine/common.sh"
trap scrutor_wine_stop EXIT
scrutor_wine_ready
# Other work on this machine shows in the figures: say how busy it was.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# Each run gives up on its own after a few minutes; this catches a hung Wine.
status=0
timeout 3600 wine "$build/bench/window/window_bench.exe" "Z:${log//\//\\}" "$runs" || status=$?
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
