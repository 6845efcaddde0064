#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the Windows edition's release files into OUT: zantrel.exe, zantrel-VERSION-windows.zip
# (the program, its read-me and licences) and zantrel-VERSION.msi. Each comes out in the same bytes
# from the same sources: every time in them is SOURCE_DATE_EPOCH (the program's file time in the
# MSI's cabinet, the MSI summary's times, the signing time), the MSI's PackageCode is derived from a
# hash of what goes into it, and the zip is written with fixed times and modes.
#
# With ZANTREL_SIGN_PKCS12 and ZANTREL_SIGN_PASSWORD_FILE set, zantrel.exe is signed with that
# certificate (osslsigncode, SHA-256) before it goes into the zip and the MSI, and then the MSI is
# signed. A missing file, a wrong password or a certificate not made for code signing stops it with
# a message. The three files are written together or not at all: on any failure none is left in OUT.
#
#     release_files.sh LINKED_EXE STAGE OUT VERSION_TEXT UPGRADE_CODE
# with SOURCE_DATE_EPOCH and PYTHON (Debian's python3) in the environment; STAGE holds
# zantrel.wxs, zantrel.ico, README.txt, LICENSE.txt and THIRD-PARTY.txt.
set -euo pipefail
linked=$1
stage=$2
out=$3
version=$4
upgrade_code=$5
here=$(cd "$(dirname "$0")" && pwd)
: "${SOURCE_DATE_EPOCH:?}" "${PYTHON:?}"

exe=$out/zantrel.exe
zip=$out/zantrel-$version-windows.zip
msi=$out/zantrel-$version.msi
work=$stage/work
written=false
finish() {
    rm -rf "$work"
    $written || rm -f "$exe" "$zip" "$msi"
}
trap finish EXIT
fail() { echo "release files: $*" >&2; exit 1; }
rm -f "$exe" "$zip" "$msi"
rm -rf "$work"
mkdir -p "$work"

pkcs12=${ZANTREL_SIGN_PKCS12:-}
password_file=${ZANTREL_SIGN_PASSWORD_FILE:-}
signing=false
if [ -n "$pkcs12" ] || [ -n "$password_file" ]; then
    signing=true
    if [ -z "$pkcs12" ] || [ -z "$password_file" ]; then
        fail "signing needs both ZANTREL_SIGN_PKCS12 and ZANTREL_SIGN_PASSWORD_FILE"
    fi
    [ -f "$pkcs12" ] || fail "signing: no certificate file $pkcs12 (ZANTREL_SIGN_PKCS12)"
    [ -f "$password_file" ] || fail "signing: no password file $password_file (ZANTREL_SIGN_PASSWORD_FILE)"
    openssl pkcs12 -in "$pkcs12" -passin "file:$password_file" -nokeys -clcerts -out "$work/cert.pem" \
        2>/dev/null || fail "signing: $pkcs12 does not open with the password in $password_file (a wrong password?)"
    usage=$(openssl x509 -in "$work/cert.pem" -noout -ext extendedKeyUsage 2>/dev/null || true)
    grep -q 'Code Signing' <<<"$usage" ||
        fail "signing: the certificate in $pkcs12 is not made for code signing (its extendedKeyUsage has no codeSigning)"
fi
# The signature's time is the sources' time, so that signing again gives the same bytes.
sign() {
    osslsigncode sign -pkcs12 "$pkcs12" -readpass "$password_file" -h sha256 -n Zantrel \
        -time "$SOURCE_DATE_EPOCH" -in "$1" -out "$2" >"$work/sign.log" 2>&1 ||
        { cat "$work/sign.log" >&2; fail "signing $(basename "$2") failed"; }
}

# The program, signed or as linked, dated SOURCE_DATE_EPOCH: the MSI's cabinet keeps its time.
if $signing; then
    sign "$linked" "$work/zantrel.exe"
else
    cp "$linked" "$work/zantrel.exe"
fi
touch -d "@$SOURCE_DATE_EPOCH" "$work/zantrel.exe"

"$PYTHON" "$here/../zip_files.py" "$work/zantrel.zip" zantrel.exe="$work/zantrel.exe" \
    README.txt="$stage/README.txt" LICENSE.txt="$stage/LICENSE.txt" THIRD-PARTY.txt="$stage/THIRD-PARTY.txt"

# wixl looks for the files it packs beside its source.
for file in zantrel.ico LICENSE.txt THIRD-PARTY.txt; do
    cp "$stage/$file" "$work/$file"
    touch -d "@$SOURCE_DATE_EPOCH" "$work/$file"
done
# The PackageCode names this package's content: it changes with any file or line that goes in.
package_code=$(cd "$work" && sha256sum zantrel.exe zantrel.ico LICENSE.txt THIRD-PARTY.txt "$stage/zantrel.wxs" |
    cut -d ' ' -f 1 | "$PYTHON" -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.stdin.read())).upper())' "$upgrade_code")
cp "$stage/zantrel.wxs" "$work/zantrel.wxs"
(cd "$work" && wixl --arch x64 -o unsigned.msi zantrel.wxs)
# wixl writes a new revision id and the time of day into the summary: they become the PackageCode
# and SOURCE_DATE_EPOCH (msibuild reads the summary's times as local time, hence UTC).
time=$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y/%m/%d %H:%M:%S')
mkdir "$work/summary"
msiinfo export "$work/unsigned.msi" _SummaryInformation |
    sed -e "s|^9\t.*|9\t{$package_code}\r|" -e "s|^\(1[23]\)\t.*|\1\t$time\r|" \
    >"$work/summary/_SummaryInformation.idt"
(cd "$work/summary" && TZ=UTC msibuild "$work/unsigned.msi" -i _SummaryInformation.idt)
msiinfo suminfo "$work/unsigned.msi" | grep -q "{$package_code}" || fail "the MSI's summary was not rewritten"
if $signing; then
    sign "$work/unsigned.msi" "$work/zantrel.msi"
else
    mv "$work/unsigned.msi" "$work/zantrel.msi"
fi

mv "$work/zantrel.exe" "$exe"
mv "$work/zantrel.zip" "$zip"
mv "$work/zantrel.msi" "$msi"
written=true
if $signing; then
    echo "release files: zantrel.exe and the MSI signed with $(basename "$pkcs12")"
fi
