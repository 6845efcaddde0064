#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# zantrel.exe as it is handed out: one file of at most 1 MiB that imports only Windows' own DLLs
# (no C++ runtime or threads DLL beside it), and carries the version record 1.00, the icon and the
# manifest; and the zip it comes in, which holds it, its read-me and the licences the read-me names.
#
#     executable_test.sh ZANTREL_EXE WINDOWS_ZIP
set -euo pipefail
exe=$1
zip=$2
fail() { echo "executable test: $*" >&2; exit 1; }

size=$(stat -c %s "$exe")
[ "$size" -le 1048576 ] || fail "$size bytes, more than 1 MiB"
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print toupper($3) }' | sort)
for dll in $imports; do
    case $dll in
        KERNEL32.DLL | USER32.DLL | GDI32.DLL | MSVCRT.DLL) ;;
        *) fail "imports $dll" ;;
    esac
done
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
for expected in 'VALUE "FileVersion", "1.00"' 'VALUE "ProductVersion", "1.00"' \
    'RT_GROUP_ICON' 'RT_MANIFEST'; do
    grep -q -- "$expected" <<<"$resources" || fail "no $expected among its resources"
done
grep -q 'PerMonitorV2' <<<"$(strings "$exe")" || fail "its manifest declares no per-monitor DPI awareness"
# The zip: exactly these files, its program the same bytes, its read-me naming the licences.
names=$(/usr/bin/python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
[ "$names" = "zantrel.exe README.txt LICENSE.txt THIRD-PARTY.txt" ] || fail "the zip holds: $names"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
/usr/bin/python3 -m zipfile -e "$zip" "$unpacked"
cmp -s "$exe" "$unpacked/zantrel.exe" || fail "the zip's zantrel.exe is not the program"
for licence in LICENSE.txt THIRD-PARTY.txt; do
    grep -q "$licence" "$unpacked/README.txt" || fail "the read-me does not name $licence"
done
grep -q 'MIT License' "$unpacked/LICENSE.txt" || fail "LICENSE.txt is not the program's licence"
grep -q 'mingw-w64' "$unpacked/THIRD-PARTY.txt" || fail "THIRD-PARTY.txt has no mingw-w64 notice"
echo "executable test: $size bytes, imports ${imports//$'\n'/ }, version 1.00, icon and manifest; the zip holds $names"
