#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compiles the Windows resource script with binutils' windres, reads the result back, and checks
# the version record, the icon and the manifest in it.
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windres=x86_64-w64-mingw32-windres
"$windres" --codepage=65001 --preprocessor=cpp --preprocessor-arg=-P "$script" -O res -o "$work/zantrel.res"
"$windres" -i "$work/zantrel.res" -O rc > "$work/back.rc"
for expected in '^1 VERSIONINFO' 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' \
    'VALUE "FileVersion", "1.00"' 'VALUE "ProductVersion", "1.00"' \
    '"\\060\\060\\020\\000", 1, 4,' '"\\040\\040\\020\\000", 1, 4,' \
    '"\\020\\020\\020\\000", 1, 4,' '^1 24 '; do
    if ! grep -q -- "$expected" "$work/back.rc"; then
        echo "windows resource: no match for $expected" >&2
        exit 1
    fi
done
echo "windows resource: version 1.00, icon 48x48, 32x32 and 16x16 in 16 colours, manifest"
