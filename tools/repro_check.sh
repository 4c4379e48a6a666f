#!/usr/bin/env bash
# repro_check.sh <preset> <built scrutor.exe> <folder>: builds the program again in another
# folder, without the compiler cache (it would hand back the first build's objects), and
# compares the bytes: the same commit must give the same program wherever it is built.
set -euo pipefail
preset=$1 reference=$2 folder=$3
export CCACHE_DISABLE=1
start=$SECONDS
cmake --preset "$preset" -B "$folder" >/dev/null
cmake --build "$folder" --target scrutor -j "${SCRUTOR_JOBS:-2}" >"$folder.log" 2>&1 \
  || { tail -n 20 "$folder.log"; exit 1; }
cmp "$reference" "$folder/src/app/scrutor.exe"
echo "repro_check: same bytes; the second build took $((SECONDS - start)) s"
