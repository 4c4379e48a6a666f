#!/usr/bin/env bash
# The packages: same zips twice, signed with a throwaway certificate, then round trips under
# Wine in a fresh prefix on a display of its own: install, start, upgrade, downgrade refused,
# uninstall keeping settings and report cache; the x86 package (its program cannot run here).
set -uo pipefail
window_check=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
next=${v%.*}.$((${v##*.} + 1))
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Scrutor test" -addext \
  extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null || exit 1
pack() { SCRUTOR_PACKAGE_NO_BUILD=1 SCRUTOR_PACKAGE_OUT=$work/$1 bash tools/package.sh >/dev/null; }
pack one && pack two || exit 1
SCRUTOR_SIGN_CERT=$work/cert.pem SCRUTOR_SIGN_KEY=$work/key.pem SCRUTOR_PACKAGE_VERSION=$next \
  pack next || exit 1
failed=0
expect() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
for arch in x86 x64; do
  expect "$arch zip the same twice" cmp "$work"/{one,two}/Scrutor-$v-$arch.zip
  python3 -m zipfile -e "$work/one/Scrutor-$v-$arch.zip" "$work/$arch"
  python3 -m zipfile -e "$work/next/Scrutor-$next-$arch.zip" "$work/signed-$arch"
  expect "$arch MSI signed" verify "$work/next/Scrutor-$next-$arch.msi"
  expect "$arch program signed" verify "$work/signed-$arch/Scrutor/scrutor.exe"
  expect "$arch unsigned MSI fails verification" eval '! verify "$work/one/Scrutor-$v-$arch.msi"'
done

start=$SECONDS
export SCRUTOR_WINEPREFIX=$work/prefix
unset DISPLAY WINEPREFIX
. tools/wine/common.sh
scrutor_wine_ready >/dev/null
trap scrutor_wine_stop EXIT
c=$WINEPREFIX/drive_c pf64="$WINEPREFIX/drive_c/Program Files/Scrutor"
msi() { wine msiexec "$@" /qn >>"$work/msiexec.log" 2>&1; }
# "version|publisher" of each Scrutor entry in Programs and Features, in one registry view.
arp() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:"$1" \
    2>/dev/null | tr -d '\r' | awk -F'    ' '/^HKEY/ { if (n == "Scrutor") print v "|" p; n = "" }
      $2 == "DisplayName" { n = $4 } $2 == "DisplayVersion" { v = $4 } $2 == "Publisher" { p = $4 }
      END { if (n == "Scrutor") print v "|" p }'
}
settings='HKLM\Software\ZEP - Zepharion\Scrutor'
cache='HKLM\SOFTWARE\ZEP - Zepharion backups\VirusTotal reports\0123456789abcdef0123456789abcdef'

msi /i "$work/one/Scrutor-$v-x64.msi"
expect "x64 program and logo installed as zipped" diff -r "$pf64" "$work/x64/Scrutor"
lnk="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrutor.lnk"
# Windows puts a per-machine package's shortcut into the common Start menu, Wine the user's.
[ -e "$lnk" ] || lnk=$(find "$c/users" -path "*/Start Menu/Programs/Scrutor.lnk" | head -n 1)
expect "Start-menu shortcut to the program" grep -qai "scrutor.exe" "$lnk"
expect "one entry, $v by ZEP - Zepharion" test "$(arp 64)" = "$v|ZEP - Zepharion"
expect "installed program shows its window and closes" \
  wine "$window_check" 'C:\Program Files\Scrutor\scrutor.exe' SCRUTOR_WND_CLASS
expect "and writes nothing beside itself" diff -r "$pf64" "$work/x64/Scrutor"
msi /i "$work/next/Scrutor-$next-x64.msi"
expect "upgrade in place: signed program, one entry at $next" eval \
  'diff -r "$pf64" "$work/signed-x64/Scrutor" && test "$(arp 64)" = "$next|ZEP - Zepharion"'
msi /i "$work/one/Scrutor-$v-x64.msi"
expect "downgrade refused (1603 cut to 67)" test $? -eq 67
expect "still one entry at $next" test "$(arp 64)" = "$next|ZEP - Zepharion"
wine reg add "$settings" /reg:64 /v FontSize /t REG_DWORD /d 14 /f >/dev/null 2>&1
wine reg add "$cache" /reg:32 /ve /d '{"response_code":1}' /f >/dev/null 2>&1
msi /x "$work/next/Scrutor-$next-x64.msi"
expect "uninstall leaves no program folder, shortcut or entry" \
  test ! -e "$pf64" -a ! -e "$lnk" -a -z "$(arp 64)"
expect "settings and report cache kept" eval 'wine reg query "$settings" /reg:64 /v FontSize \
  >/dev/null 2>&1 && wine reg query "$cache" /reg:32 /ve >/dev/null 2>&1'

msi /i "$work/one/Scrutor-$v-x86.msi"
expect "x86 program installed as zipped" diff -r "$c/Program Files (x86)/Scrutor" "$work/x86/Scrutor"
expect "x86 entry in the 32-bit view" test "$(arp 32)" = "$v|ZEP - Zepharion"
msi /x "$work/one/Scrutor-$v-x86.msi"
expect "x86 uninstall removed its folder" test ! -e "$c/Program Files (x86)/Scrutor"
echo "round trip under Wine: $((SECONDS - start)) s"
exit $failed
