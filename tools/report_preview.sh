#!/usr/bin/env bash
# Renders the golden VirusTotal report (tests/virustotal/golden_report.htm) with Debian's
# Chromium headless into a PNG for a person to look at: escaped names must show as text,
# verdicts on red or green. Not part of the test command: Chromium is large.
#   tools/report_preview.sh [out.png [height]]
# (default build/screenshots/report_preview.png, 1000 x 2000 pixels)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/build/screenshots/report_preview.png}
height=${2:-2000}
page=$root/tests/virustotal/golden_report.htm

if ! command -v chromium >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "report_preview: installing chromium"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends chromium >/dev/null
fi

mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
# A private profile, so a browser the user has open is neither used nor disturbed.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --hide-scrollbars --user-data-dir="$profile" --screenshot="$out" --window-size=1000,"$height" \
  "file://$page" >/dev/null 2>&1
[ -s "$out" ] || { echo "report_preview: no screenshot written" >&2; exit 1; }
echo "report_preview: $out"
