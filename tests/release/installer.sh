#!/usr/bin/env bash
# The packages' round trip under Wine, in a fresh prefix on a display of its own: install,
# start, upgrade in place, downgrade refused, uninstall that keeps the user's settings and
# report cache; the x86 package installs and uninstalls (its program cannot run here).
set -uo pipefail
start_check=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
next=${v%.*}.$((${v##*.} + 1))
export SCRUTOR_PACKAGE_NO_BUILD=1
for out in one two; do SCRUTOR_PACKAGE_OUT=$work/$out bash tools/package.sh >/dev/null || exit 1; done
SCRUTOR_PACKAGE_OUT=$work/next SCRUTOR_PACKAGE_VERSION=$next bash tools/package.sh >/dev/null || exit 1

failed=0
expect() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
for arch in x86 x64; do
  expect "the $arch zip is the same twice" cmp "$work"/{one,two}/Scrutor-$v-$arch.zip
  python3 -m zipfile -e "$work/one/Scrutor-$v-$arch.zip" "$work/$arch"
done

start=$SECONDS
export SCRUTOR_WINEPREFIX=$work/prefix
unset DISPLAY WINEPREFIX
. tools/wine/common.sh
scrutor_wine_ready >/dev/null
trap scrutor_wine_stop EXIT
c=$WINEPREFIX/drive_c
pf64="$c/Program Files/Scrutor" pf32="$c/Program Files (x86)/Scrutor"
msi() { wine msiexec "$@" /qn >>"$work/msiexec.log" 2>&1; }
# "version|publisher" of each Scrutor entry in Programs and Features, in one registry view.
arp() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:"$1" \
    2>/dev/null | tr -d '\r' | awk -F'    ' '/^HKEY/ { if (n == "Scrutor") print v "|" p; n = "" }
      $2 == "DisplayName" { n = $4 } $2 == "DisplayVersion" { v = $4 } $2 == "Publisher" { p = $4 }
      END { if (n == "Scrutor") print v "|" p }'
}
reg_has() { wine reg query "$1" /reg:"$2" "${@:3}" >/dev/null 2>&1; }
settings='HKLM\Software\ZEP - Zepharion\Scrutor'
cache='HKLM\SOFTWARE\ZEP - Zepharion backups\VirusTotal reports\0123456789abcdef0123456789abcdef'

msi /i "$work/one/Scrutor-$v-x64.msi"
expect "x64 program installed as zipped" cmp "$pf64/scrutor.exe" "$work/x64/Scrutor/scrutor.exe"
expect "logo installed as zipped" cmp "$pf64/scrutor_logo.png" "$work/x64/Scrutor/scrutor_logo.png"
lnk="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrutor.lnk"
# Windows puts a per-machine package's shortcut into the common Start menu, Wine the user's.
[ -e "$lnk" ] || lnk=$(find "$c/users" -path "*/Start Menu/Programs/Scrutor.lnk" | head -n 1)
expect "Start-menu shortcut to the program" grep -qai "scrutor.exe" "$lnk"
expect "one entry, $v by ZEP - Zepharion" test "$(arp 64)" = "$v|ZEP - Zepharion"
wine "$start_check" 'C:\Program Files\Scrutor\scrutor.exe' >"$work/start.log" 2>&1
expect "installed program shows its window and closes" test $? -eq 0
expect "it left no other file" test "$(ls "$pf64" | tr '\n' ' ')" = "scrutor.exe scrutor_logo.png "

msi /i "$work/next/Scrutor-$next-x64.msi"
expect "upgrade in place: one entry at $next" test "$(arp 64)" = "$next|ZEP - Zepharion"
msi /i "$work/one/Scrutor-$v-x64.msi"
expect "downgrade refused (1603 cut to 67)" test $? -eq 67
expect "still one entry at $next" test "$(arp 64)" = "$next|ZEP - Zepharion"

wine reg add "$settings" /reg:64 /v FontSize /t REG_DWORD /d 14 /f >/dev/null 2>&1
wine reg add "$cache" /reg:32 /ve /d '{"response_code":1}' /f >/dev/null 2>&1
msi /x "$work/next/Scrutor-$next-x64.msi"
expect "uninstall removed the program folder" test ! -e "$pf64"
expect "uninstall removed the shortcut" test ! -e "$lnk"
expect "uninstall removed the entry" test -z "$(arp 64)"
expect "settings kept" reg_has "$settings" 64 /v FontSize
expect "report cache kept" reg_has "$cache" 32 /ve

msi /i "$work/one/Scrutor-$v-x86.msi"
expect "x86 program installed as zipped" cmp "$pf32/scrutor.exe" "$work/x86/Scrutor/scrutor.exe"
expect "x86 entry in the 32-bit view" test "$(arp 32)" = "$v|ZEP - Zepharion"
msi /x "$work/one/Scrutor-$v-x86.msi"
expect "x86 uninstall removed its folder" test ! -e "$pf32"
echo "round trip under Wine: $((SECONDS - start)) s"
exit $failed
