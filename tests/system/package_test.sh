#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured and built tree and checks it as a packager would:
# version, dependencies, contents, the desktop entry and AppStream metainfo validators, and the
# packaged program opening its window (on the X server named by DISPLAY).
set -euo pipefail
build=$1
harness=$(cd "$(dirname "$0")/../../harness" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/zantrel_*.deb)
echo "package: $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = zantrel ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "version is not 1.00"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "does not depend on $needed: $depends"
done
# Wayland desktops without XWayland need Qt's Wayland platform.
grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "does not recommend qt6-wayland"

dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
id=example.zantrel.Zantrel
for file in "$work/root/usr/bin/zantrel" "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml" \
    "$share/icons/hicolor/16x16/apps/$id.png" "$share/icons/hicolor/32x32/apps/$id.png" \
    "$share/icons/hicolor/256x256/apps/$id.png" "$share/icons/hicolor/scalable/apps/$id.svg" \
    "$share/doc/zantrel/copyright" "$share/doc/zantrel/changelog.gz" "$share/man/man1/zantrel.1.gz" \
    "$share/man/bg/man1/zantrel.1.gz"; do
    [ -f "$file" ] || fail "missing ${file#"$work/root"}"
done
# Debian's own checker: no error and no warning (the copyright's machine-readable format included).
lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
grep -q '^License: OFL-1.1$' "$share/doc/zantrel/copyright" || fail "copyright does not give the font's licence"
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
grep -q '<release version="1.00"' "$share/metainfo/$id.metainfo.xml" || fail "metainfo release is not 1.00"
grep -q "^Icon=$id\$" "$share/applications/$id.desktop" || fail "desktop entry names another icon"

# Docks tie the window to its menu entry by the window's class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$share/applications/$id.desktop")
[ -n "$wm_class" ] || fail "desktop entry has no StartupWMClass"
/usr/bin/python3 "$harness/opens_window.py" --wm-class "$wm_class" "$work/root/usr/bin/zantrel"
echo "package: all checks passed"
