#!/usr/bin/env bash
# HashFileMd5 (x86_64 build, under Wine) against md5sum (native) on the same 128 MiB file in
# the same run. Both read a file that is already in the page cache; the best of three runs
# of each is compared. Usage: bench/md5/run.sh [size-in-MiB]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=${1:-128}
build=$root/build/win64
bash "$root/tools/setup/prepare.sh" >/dev/null
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target md5_bench -j "${SCRUTOR_JOBS:-2}" >/dev/null

file=$build/bench-${size}MiB.bin
[ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -eq $((size * 1048576)) ] ||
  head -c $((size * 1048576)) /dev/urandom >"$file"
cat "$file" >/dev/null  # into the page cache

echo "file: $file ($size MiB)"
best=0
for run in 1 2 3; do
  start=$(date +%s%N)
  digest=$(md5sum "$file" | cut -d' ' -f1)
  end=$(date +%s%N)
  rate=$(awk -v s="$size" -v ns=$((end - start)) 'BEGIN { printf "%.1f", s / (ns / 1e9) }')
  echo "md5sum run $run: ${digest^^}  $rate MiB/s"
  best=$(awk -v a="$best" -v b="$rate" 'BEGIN { print (b > a) ? b : a }')
done
echo "md5sum best: $best MiB/s"

. "$root/tools/wine/common.sh"
scrutor_wine_ready
wine "$build/bench/md5/md5_bench.exe" "Z:${file//\//\\}" 3
