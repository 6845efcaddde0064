#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the built program for the hardening flags: hardening-check on the binary, and the compile
# commands of the program's own sources for the fortified libc calls.
#  --nocfprotection: Debian 12's C start-up files (crt1.o, crti.o) carry no CET note, so no
#    program linked there shows IBT/SHSTK, however it was compiled (/bin/ls fails the same way).
#  --nofortify: the program calls no libc function whose destination size the compiler knows, so
#    the binary has nothing to show; the compile commands are checked instead.
set -euo pipefail
program=$1
compile_commands=$2

hardening-check --nocfprotection --nofortify "$program"

unfortified=$(grep -E '"command": ' "$compile_commands" | grep -E '/src/(exercise|ui|app)/' |
    grep -v -e '-D_FORTIFY_SOURCE=[23]' || true)
if [ -n "$unfortified" ]; then
    echo "sources compiled without _FORTIFY_SOURCE:" >&2
    echo "$unfortified" >&2
    exit 1
fi
echo "hardening: all checks passed"
