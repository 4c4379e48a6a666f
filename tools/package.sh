#!/usr/bin/env bash
# Builds the release packages: for the 32-bit (win32) and the 64-bit (win64) program an MSI
# and a zip, named with the project version, into build/packages/:
#   Scrutor-<version>-x86.msi  Scrutor-<version>-x86.zip  (and -x64)
# Each program is checked (tools/pe_check.py) before it is packed. Environment:
#   SCRUTOR_PACKAGE_OUT      another output folder
#   SCRUTOR_PACKAGE_VERSION  the packages' version instead of the project's (tests)
#   SCRUTOR_PACKAGE_NO_BUILD=1  package what is built, without building first
#   SCRUTOR_SIGN_CERT, SCRUTOR_SIGN_KEY  sign the programs and the MSIs (tools/sign.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=${SCRUTOR_PACKAGE_OUT:-$root/build/packages}
fail() { echo "package: $*" >&2; exit 1; }

command -v wixl >/dev/null || bash tools/setup/install-deps.sh
if [ "${SCRUTOR_PACKAGE_NO_BUILD:-0}" != 1 ]; then
  for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target scrutor -j "${SCRUTOR_JOBS:-2}"
  done
fi

project_version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$1/CMakeCache.txt" 2>/dev/null; }
built=$(project_version win64)
[ -n "$built" ] || fail "build/win64 is not configured"
[ "$(project_version win32)" = "$built" ] || fail "build/win32 is not at version $built"
version=${SCRUTOR_PACKAGE_VERSION:-$built}

mkdir -p "$out" && out=$(cd "$out" && pwd)
sign() { [ -z "${SCRUTOR_SIGN_CERT:-}" ] || bash tools/sign.sh "$1" >/dev/null || fail "signing failed"; }
for target in "win32 x86 i386 i686" "win64 x64 amd64 x86_64"; do
  read -r preset arch machine triplet <<<"$target"
  stage=$out/Scrutor-$version-$arch
  rm -rf "$stage" && mkdir -p "$stage"
  # Debug information stays in the build tree: it is most of the 64-bit build's size. strip
  # would stamp the time of now into the header; the link wrote none.
  SOURCE_DATE_EPOCH=0 "$triplet-w64-mingw32-strip" --strip-debug \
    -o "$stage/scrutor.exe" "build/$preset/src/app/scrutor.exe"
  cp src/app/scrutor.ico "$stage/"
  # The logo shipped is the program's own image 11, byte for byte.
  python3 tools/pe_check.py --machine "$machine" --version "$built" \
    --extract-logo "$stage/scrutor_logo.png" "$stage/scrutor.exe" || fail "$preset program rejected"
  sign "$stage/scrutor.exe"
  # wixl takes source files only by relative paths.
  (cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D BinDir=. \
    -o "$out/Scrutor-$version-$arch.msi" "$root/installer/scrutor.wxs" 2>wixl.log) \
    || { cat "$stage/wixl.log" >&2; fail "wixl failed for $arch"; }
  rm -f "$stage/wixl.log"
  sign "$out/Scrutor-$version-$arch.msi"
  # Same files, same bytes: fixed times, modes and order.
  python3 - "$stage" "$out/Scrutor-$version-$arch.zip" <<'EOF'
import os, sys, zipfile
stage, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
    for name in ["scrutor.exe", "scrutor_logo.png"]:
        info = zipfile.ZipInfo("Scrutor/" + name, (1980, 1, 1, 0, 0, 0))
        info.external_attr = 0o644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read())
EOF
  rm -rf "$stage"
  echo "package: $out/Scrutor-$version-$arch.msi and .zip"
done
