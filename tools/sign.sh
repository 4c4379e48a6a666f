#!/usr/bin/env bash
# Signs a program or an installer package (Authenticode, SHA-256) with osslsigncode:
#   tools/sign.sh <file.exe|file.msi> [signed copy]      (without a copy: in place)
# The certificate comes from the environment:
#   SCRUTOR_SIGN_CERT      PEM certificate, with its chain
#   SCRUTOR_SIGN_KEY       PEM private key
#   SCRUTOR_SIGN_PASSWORD  the key's password, when it has one
#   SCRUTOR_SIGN_TIMESTAMP a time-stamp server URL (optional; needs the network)
set -euo pipefail
fail() { echo "sign: $*" >&2; exit 1; }
[ $# -ge 1 ] && [ -f "$1" ] || fail "usage: sign.sh <file> [signed copy]"
[ -f "${SCRUTOR_SIGN_CERT:-}" ] || fail "SCRUTOR_SIGN_CERT names no certificate file"
[ -f "${SCRUTOR_SIGN_KEY:-}" ] || fail "SCRUTOR_SIGN_KEY names no key file"
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (tools/setup/install-deps.sh)"

in=$1 out=${2:-$1}
tmp=$(mktemp "$(dirname "$out")/.signing.XXXXXX")
trap 'rm -f "$tmp"' EXIT
args=(sign -certs "$SCRUTOR_SIGN_CERT" -key "$SCRUTOR_SIGN_KEY" -h sha256
      -n Scrutor -i https://www.zepharion.com)
[ -n "${SCRUTOR_SIGN_PASSWORD:-}" ] && args+=(-pass "$SCRUTOR_SIGN_PASSWORD")
[ -n "${SCRUTOR_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$SCRUTOR_SIGN_TIMESTAMP")
# osslsigncode will not overwrite its output, and a failed run must leave the input whole.
rm -f "$tmp"
osslsigncode "${args[@]}" -in "$in" -out "$tmp" >/dev/null || fail "signing $in failed"
mv -f "$tmp" "$out"
echo "sign: signed $out"
