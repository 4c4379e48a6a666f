#!/usr/bin/env bash
# Signs copies of the program and of its x64 package with a throwaway certificate: the copies
# verify against it, the unsigned originals do not.
set -euo pipefail
program=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
SCRUTOR_PACKAGE_NO_BUILD=1 SCRUTOR_PACKAGE_OUT=$work bash tools/package.sh >/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Scrutor test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export SCRUTOR_SIGN_CERT=$work/cert.pem SCRUTOR_SIGN_KEY=$work/key.pem
for original in "$program" "$work"/*-x64.msi; do
  signed=$work/signed-$(basename "$original")
  bash tools/sign.sh "$original" "$signed"
  osslsigncode verify -CAfile "$work/cert.pem" -in "$signed" >"$signed.log" 2>&1 \
    || { cat "$signed.log"; exit 1; }
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$original" >/dev/null 2>&1; then
    echo "unsigned $original passed verification"; exit 1
  fi
done
