#!/usr/bin/env bash
# CTest's emulator for the Windows builds: runs one executable under our Wine prefix.
set -euo pipefail
. "$(dirname "$0")/common.sh"
scrutor_wine_ready
exec wine "$@"
