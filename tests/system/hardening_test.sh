#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the built program for the hardening flags. What the linked binary shows for certain is read
# from hardening-check's report: PIE, stack protector, RELRO and immediate binding. What a binary
# cannot always show is read from the compile commands of the program's own sources:
#  - fortified libc calls: the program calls no libc function whose destination size the compiler
#    knows, so the binary may have nothing to show;
#  - stack clash protection: probes appear only in functions with large frames, and the program
#    has none (hardening-check says "unknown", which newer versions count as a failure);
#  - control flow protection (x86-64): the C start-up files of some releases carry no CET note, so
#    no program linked there shows IBT/SHSTK however it was compiled (/bin/ls neither).
# Newer hardening-check versions also report checks for other architectures (branch protection on
# arm64); only the lines named here decide.
#
#     hardening_test.sh PROGRAM COMPILE_COMMANDS_JSON SOURCE_FOLDER
# SOURCE_FOLDER: the program's own sources, src/ of the source tree, every library under it.
set -uo pipefail
program=$1
compile_commands=$2
source_folder=$3
missing=()

report=$(hardening-check "$program" 2>&1)
for feature in 'Position Independent Executable' 'Stack protected' 'Read-only relocations' \
    'Immediate binding'; do
    grep -q "^ $feature: yes" <<<"$report" || missing+=("$feature")
done

sources=$(grep -E '"command": ' "$compile_commands" | grep -F -e " -c $source_folder/")
if [ -z "$sources" ]; then
    missing+=("compile commands of the program's sources")
fi
flags=('-D_FORTIFY_SOURCE=[23]' '-fstack-clash-protection' '-fstack-protector-strong')
if [ "$(uname -m)" = x86_64 ]; then
    flags+=('-fcf-protection=full')
fi
for flag in "${flags[@]}"; do
    if grep -v -e "$flag" <<<"$sources" | grep -q .; then
        missing+=("$flag in every source")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "$report"
    printf 'hardening: missing: %s\n' "${missing[@]}" >&2
    exit 1
fi
echo "hardening: all checks passed"
