#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command with the Wine prefix's screen at DPI dots per inch, as a user who chose the
# display's scale (144: 150 %): LogPixels in HKCU\Control Panel\Desktop, set before the command's
# programs start.
#
#     at_dpi.sh DPI COMMAND [ARG]...
set -euo pipefail
dpi=$1
shift
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
exec "$@"
