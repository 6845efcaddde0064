#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer in a Wine session (harness/in_session.sh --wine): a silent install puts
# zantrel.exe and its licences in Program Files and a Start menu entry that points at the program;
# the installed program passes the driver's session; a silent uninstall leaves Program Files and
# the Start menu as they were.
#
#     msi_test.sh ZANTREL_MSI DRIVER_EXE
set -euo pipefail
msi=$1
driver=$2
drive=$WINEPREFIX/drive_c
programs="$drive/Program Files"
# Where a per-machine install puts its Start menu entry, and where Wine 8 and 10 put it instead
# (the installing user's menu).
menus=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
    "$drive/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
before=$(find "$programs" "${menus[@]}" | sort)

fail() { echo "msi test: $*" >&2; exit 1; }

wine msiexec /i "Z:$msi" /qn
wineserver -w
for file in zantrel.exe LICENSE.txt THIRD-PARTY.txt; do
    [ -f "$programs/Zantrel/$file" ] || fail "no Program Files\\Zantrel\\$file after installing"
done
entry=
for menu in "${menus[@]}"; do
    [ -f "$menu/Zantrel.lnk" ] && entry=$menu/Zantrel.lnk
done
[ -n "$entry" ] || fail "no Start menu entry after installing"
# The entry's target, as the shortcut stores it.
target=$(LC_ALL=C grep -aoi 'C:\\Program Files\\Zantrel\\zantrel.exe' "$entry" | head -n 1 || true)
[ -n "$target" ] || fail "the Start menu entry does not point at C:\\Program Files\\Zantrel\\zantrel.exe"
echo "msi test: installed; the Start menu entry ${entry#"$drive"/} points at $target"

wine "$driver" 'C:\Program Files\Zantrel\zantrel.exe' || fail "the installed program failed the driver's session"

wine msiexec /x "Z:$msi" /qn
wineserver -w
after=$(find "$programs" "${menus[@]}" | sort)
if [ "$before" != "$after" ]; then
    diff <(echo "$before") <(echo "$after") >&2 || true
    fail "uninstalling left Program Files or the Start menu changed"
fi
echo "msi test: installed, ran and uninstalled; Program Files and the Start menu as before"
