#!/usr/bin/env bash
# The run command: installs and builds what is missing, then opens a sample log
# in Scrutor under Wine. Without a display it starts a virtual one and saves a
# screenshot instead. Usage: tools/run.sh [file-to-open]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup/prepare.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "${SCRUTOR_JOBS:-2}" --target scrutor >/dev/null

sample=${1:-$root/samples/sample-scan.log}

. tools/wine/common.sh
scrutor_wine_env
exe="$root/build/win64/src/app/scrutor.exe"
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  scrutor_wine_ready
  exec wine "$exe" "$(winepath -w "$sample" 2>/dev/null || echo "$sample")"
fi

# Headless: a virtual desktop window gives the frame a caption for the picture.
scrutor_wine_ready
shot="$root/build/screenshots/run.png"
mkdir -p "$(dirname "$shot")"
wine explorer /desktop=scrutor,1280x800 "$exe" "$(winepath -w "$sample")" >/dev/null 2>&1 &
pid=$!
# Inside a virtual desktop the program's windows are not X windows of their own,
# so wait until the picture shows more than the bare desktop.
for _ in $(seq 1 40); do
  sleep 0.5
  xwd -root -silent | convert xwd:- "$shot"
  colours=$(convert "$shot" -format %k info: 2>/dev/null || echo 0)
  [ "$colours" -gt 16 ] && break
done
sleep 1
xwd -root -silent | convert xwd:- "$shot"
kill "$pid" 2>/dev/null || true
scrutor_wine_stop
echo "No display: Scrutor ran on a virtual one. Screenshot: $shot"
