#!/usr/bin/env bash
# Builds PCRE2's 16-bit library statically for one MinGW target from Debian's
# source package, with the JIT compiler (the program falls back to the interpreter
# whenever the JIT fails). Usage: build-pcre2.sh <triplet> <install-prefix>
# Does nothing when the prefix already holds the library.
set -euo pipefail
triplet=$1
prefix=$2
[ -f "$prefix/lib/libpcre2-16.a" ] && exit 0

work=$(dirname "$prefix")/pcre2-src
mkdir -p "$work"
if ! ls -d "$work"/pcre2-*/ >/dev/null 2>&1; then
  # The newest listed version may be missing from a mirror; fall back to older ones.
  fetched=0
  for v in "" $(apt-cache showsrc pcre2 | sed -n 's/^Version: //p' | sort -r -V); do
    if (cd "$work" && apt-get source -qq "pcre2${v:+=$v}" >/dev/null 2>&1); then fetched=1; break; fi
  done
  [ $fetched -eq 1 ] || { echo "build-pcre2: cannot fetch the pcre2 source package" >&2; exit 1; }
fi
src=$(ls -d "$work"/pcre2-*/ | head -n 1)
toolchain=$(cd "$(dirname "$0")/../../cmake" && pwd)/toolchain-$triplet.cmake

build="$work/build-$triplet-$(basename "$prefix")"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON -DPCRE2_BUILD_PCRE2_32=OFF \
  -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF \
  -DPCRE2_SUPPORT_JIT=ON >/dev/null
cmake --build "$build" >/dev/null
cmake --install "$build" >/dev/null
echo "build-pcre2: $triplet -> $prefix"
