#!/usr/bin/env bash
# Zips the same twice, signing with a throwaway certificate, round trips under Wine in a fresh
# prefix on a display of its own (the x86 program cannot run here).
set -uo pipefail
window_check=$1 work=$2 && rm -rf "$work" && mkdir -p "$work"
v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt) && next=${v%.*}.$((${v##*.} + 1))
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=test -addext extendedKeyUsage=codeSigning \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null || exit 1
pack() { SCRUTOR_PACKAGE_NO_BUILD=1 SCRUTOR_PACKAGE_OUT=$work/$1 bash tools/package.sh >/dev/null; }
pack one && pack two && SCRUTOR_SIGN_CERT=$work/cert.pem SCRUTOR_SIGN_KEY=$work/key.pem \
  SCRUTOR_PACKAGE_VERSION=$next pack next || exit 1
failed=0
expect() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
for a in x86 x64; do
  python3 -m zipfile -e "$work/one/Scrutor-$v-$a.zip" "$work/$a"
  python3 -m zipfile -e "$work/next/Scrutor-$next-$a.zip" "$work/signed-$a"
  expect "$a zip the same twice" 'cmp "$work"/{one,two}/Scrutor-$v-$a.zip'
  expect "$a MSI and program signed, unsigned ones fail" 'verify "$work/next/Scrutor-$next-$a.msi" &&
    verify "$work/signed-$a/Scrutor/scrutor.exe" && ! verify "$work/one/Scrutor-$v-$a.msi"'
done

start=$SECONDS
export SCRUTOR_WINEPREFIX=$work/prefix && unset DISPLAY WINEPREFIX && . tools/wine/common.sh
scrutor_wine_ready >/dev/null && trap scrutor_wine_stop EXIT
c=$WINEPREFIX/drive_c pf64="$WINEPREFIX/drive_c/Program Files/Scrutor"
msi() { wine msiexec "$@" /qn >>"$work/msiexec.log" 2>&1; }
reg() { wine reg "$@" >/dev/null 2>&1; }
# "version|publisher" of each Scrutor entry in Programs and Features (one key a paragraph).
arp() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:"$1" 2>/dev/null | tr -d '\r' |
  awk -v RS= -F'\n' '/\n    DisplayName    REG_SZ    Scrutor(\n|$)/ { v = p = ""; for (i = 1; i <= NF; i++) {
    split($i, f, "    "); if (f[2] == "DisplayVersion") v = f[4]; if (f[2] == "Publisher") p = f[4] } print v "|" p }'; }
settings='HKLM\Software\ZEP - Zepharion\Scrutor'
cache='HKLM\SOFTWARE\ZEP - Zepharion backups\VirusTotal reports\0123456789abcdef0123456789abcdef'

msi /i "$work/one/Scrutor-$v-x64.msi"
lnk="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrutor.lnk"
# Windows puts a per-machine package's shortcut into the common Start menu, Wine the user's.
[ -e "$lnk" ] || lnk=$(find "$c/users" -path "*/Start Menu/Programs/Scrutor.lnk" | head -n 1)
expect "x64 files as zipped, shortcut, one entry: $v by ZEP - Zepharion" 'diff -r "$pf64" \
  "$work/x64/Scrutor" && grep -qai scrutor.exe "$lnk" && test "$(arp 64)" = "$v|ZEP - Zepharion"'
expect "installed program shows its window, closes, writes nothing beside itself" 'wine \
  "$window_check" "C:\\Program Files\\Scrutor\\scrutor.exe" SCRUTOR_WND_CLASS && diff -r "$pf64" "$work/x64/Scrutor"'
msi /i "$work/next/Scrutor-$next-x64.msi"
expect "upgrade in place: signed program, one entry at $next" 'diff -r "$pf64" \
  "$work/signed-x64/Scrutor" && test "$(arp 64)" = "$next|ZEP - Zepharion"'
msi /i "$work/one/Scrutor-$v-x64.msi"; rc=$?
expect "downgrade refused (1603 cut to 67), one entry at $next" \
  'test $rc -eq 67 && test "$(arp 64)" = "$next|ZEP - Zepharion"'
reg add "$settings" /reg:64 /v FontSize /t REG_DWORD /d 14 /f && reg add "$cache" /reg:32 /ve /d '{}' /f
msi /x "$work/next/Scrutor-$next-x64.msi"
expect "uninstall leaves no program folder, shortcut or entry" '! test -e "$pf64" -o -e "$lnk" -o -n "$(arp 64)"'
expect "settings and report cache kept" 'reg query "$settings" /reg:64 /v FontSize && reg query "$cache" /reg:32 /ve'
msi /i "$work/one/Scrutor-$v-x86.msi"
expect "x86 files as zipped, entry in the 32-bit view" 'diff -r "$c/Program Files (x86)/Scrutor" \
  "$work/x86/Scrutor" && test "$(arp 32)" = "$v|ZEP - Zepharion"'
msi /x "$work/one/Scrutor-$v-x86.msi"
expect "x86 uninstall removed its folder" '! test -e "$c/Program Files (x86)/Scrutor"'
echo "round trip under Wine: $((SECONDS - start)) s"
exit $failed
