#!/usr/bin/env bash
# Everything the builds need before CMake runs: system packages and the MinGW
# PCRE2 libraries. Idempotent.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bash "$root/tools/setup/install-deps.sh"
for triplet in x86_64-w64-mingw32 i686-w64-mingw32; do
  bash "$root/tools/setup/build-pcre2.sh" "$triplet" "$root/build/deps/$triplet/pcre2-jit"
done
