#!/usr/bin/env bash
# HashFileMd5 (x86_64 build, under Wine) against md5sum (native) on the same 128 MiB file in
# the same run. Both read a file that is already in the page cache; the best of three runs
# of each is compared. Usage: bench/md5/run.sh [size-in-MiB]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=${1:-128}
build=$root/build/bench-md5
deps=$root/build/deps/x86_64-w64-mingw32/pcre2

[ -f "$deps/lib/libpcre2-16.a" ] || bash "$root/tools/setup/prepare.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPCRE2_ROOT="$deps" \
    -DPCRE2_INCLUDE_DIR="$deps/include" -DPCRE2_LIBRARY="$deps/lib/libpcre2-16.a" \
    -DCMAKE_PROJECT_Scrutor_INCLUDE="$root/bench/md5/standalone.cmake" >/dev/null
fi
cmake --build "$build" --target md5_bench -j "${SCRUTOR_JOBS:-2}" >/dev/null

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
wine "$build/md5_bench.exe" "Z:${file//\//\\}" 3
