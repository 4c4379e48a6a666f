#!/usr/bin/env bash
# Installs everything the three builds and the tests need, from Debian's
# packages only. Safe to run again: each step checks before it acts.
set -euo pipefail

# fonts-wine carries the symbol font Wine draws caption buttons and check marks with.
need=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine xvfb xdotool imagemagick x11-apps
  libpcre2-dev googletest libgtest-dev libbenchmark-dev
  dpkg-dev python3
  wixl msitools osslsigncode openssl
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# deb-src is needed for the PCRE2 source package that the MinGW builds compile.
enable_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && ! grep -q '^Types:.*deb-src' "$f"; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    return 0
  fi
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list \
      && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $SUDO tee -a /etc/apt/sources.list >/dev/null
    return 0
  fi
  return 1
}

updated=0
if enable_deb_src; then updated=1; fi
if [ ${#missing[@]} -gt 0 ] || [ $updated -eq 1 ]; then
  echo "install-deps: installing ${missing[*]:-(sources only)}"
  $SUDO apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
echo "install-deps: system packages present"
