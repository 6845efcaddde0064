#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# zantrel.exe as it is handed out: one file of at most 1 MiB that imports only Windows' own DLLs
# (no C++ runtime or threads DLL beside it), and carries the version record 1.00, the icon and the
# manifest.
set -euo pipefail
exe=$1
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
echo "executable test: $size bytes, imports" $imports", version 1.00, icon and manifest"
