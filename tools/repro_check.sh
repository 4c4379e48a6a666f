#!/usr/bin/env bash
# repro_check.sh <preset> <build folder>: builds the program again in "<build folder>-repro"
# and compares the bytes: one commit must give the same program wherever it is built. The
# second folder lies as deep as the first and is configured the same, compiler cache included:
# a cache that rewrites paths relative to the build folder (CCACHE_BASEDIR) then writes the
# same ones. It must compile for real, though, not hand back the first build's objects.
set -euo pipefail
preset=$1 reference=$2 folder=$2-repro
launcher=$(sed -n 's/^CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=//p' "$reference/CMakeCache.txt")
export CCACHE_RECACHE=1
start=$SECONDS
cmake --preset "$preset" -B "$folder" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher} \
  ${launcher:+-DCMAKE_C_COMPILER_LAUNCHER=$launcher} >/dev/null
cmake --build "$folder" --target scrutor -j "${SCRUTOR_JOBS:-2}" >"$folder/build.log" 2>&1 \
  || { tail -n 20 "$folder/build.log"; exit 1; }
cmp "$reference/src/app/scrutor.exe" "$folder/src/app/scrutor.exe"
echo "repro_check: same bytes; the second build took $((SECONDS - start)) s"
