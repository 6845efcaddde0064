#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Signing the Windows files with a certificate made here with openssl (a CA and a code-signing
# certificate it issued), in a Wine session (harness/in_session.sh --wine): the signed program and
# MSI verify against the CA; signing again gives the same bytes; the signed program passes the
# driver's session and the signed MSI installs, runs and uninstalls silently (msi_test.sh); a wrong
# password, a missing file and a certificate not made for code signing each stop with their
# message and leave none of the three files.
#
#     signing_test.sh RELEASE_FILES_SH LINKED_EXE STAGE VERSION UPGRADE_CODE DRIVER_EXE MSI_TEST_SH
# with SOURCE_DATE_EPOCH and PYTHON in the environment.
set -euo pipefail
release_files=$1
linked=$2
stage=$3
version=$4
upgrade_code=$5
driver=$6
msi_test=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "signing test: $*" >&2; exit 1; }

cd "$work"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 -subj "/CN=Zantrel test CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
# issue NAME EXTENDED_KEY_USAGE: NAME.p12, with the password in password.
echo 'the right password' >password
issue() {
    openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=Zantrel test $1" 2>/dev/null
    printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$2" >"$1.ext"
    openssl x509 -req -in "$1.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -days 30 -extfile "$1.ext" \
        -out "$1.pem" 2>/dev/null
    openssl pkcs12 -export -in "$1.pem" -inkey "$1.key" -certfile ca.pem -passout file:password -out "$1.p12"
}
issue signer codeSigning
issue server serverAuth
cp -r "$stage" stage
rm -rf stage/work

# sign OUT PKCS12 PASSWORD_FILE: the three files into OUT; release_files.sh's messages in OUT.log.
sign() {
    mkdir -p "$1"
    ZANTREL_SIGN_PKCS12=$2 ZANTREL_SIGN_PASSWORD_FILE=$3 \
        "$release_files" "$linked" "$work/stage" "$1" "$version" "$upgrade_code" >"$1.log" 2>&1
}
files=(zantrel.exe "zantrel-$version-windows.zip" "zantrel-$version.msi")

sign first "$work/signer.p12" "$work/password" || { cat first.log >&2; fail "signing failed"; }
for file in zantrel.exe "zantrel-$version.msi"; do
    osslsigncode verify -CAfile ca.pem -in "first/$file" >verify.log 2>&1 ||
        { cat verify.log >&2; fail "$file does not verify"; }
    grep -q 'Signature verification: ok' verify.log || fail "$file: no verified signature"
done
! cmp -s "$linked" first/zantrel.exe || fail "zantrel.exe is not signed"
/usr/bin/python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("zantrel.exe"))' \
    "first/zantrel-$version-windows.zip" | cmp -s - first/zantrel.exe || fail "the zip holds another zantrel.exe"
echo "signing test: zantrel.exe and the MSI verify against the test CA; the zip holds the signed program"

sign again "$work/signer.p12" "$work/password" || { cat again.log >&2; fail "signing again failed"; }
for file in "${files[@]}"; do
    cmp "first/$file" "again/$file" || fail "signing again gave another $file"
done
echo "signing test: signing again gave the same bytes"

wine "$driver" "Z:$work/first/zantrel.exe" || fail "the signed program failed the driver's session"
"$msi_test" "$work/first/zantrel-$version.msi" "$driver" || fail "the signed MSI failed"

# refused NAME PKCS12 PASSWORD_FILE MESSAGE: the build stops with MESSAGE and leaves no file.
refused() {
    if sign "$1" "$2" "$3"; then fail "$1: signing did not stop"; fi
    grep -q "$4" "$1.log" || { cat "$1.log" >&2; fail "$1: no message \"$4\""; }
    for file in "${files[@]}"; do
        [ ! -e "$1/$file" ] || fail "$1: $file left behind"
    done
    echo "signing test: $1: $(tail -n 1 "$1.log")"
}
echo 'a wrong password' >wrong
refused wrong-password "$work/signer.p12" "$work/wrong" 'does not open with the password'
refused missing-file "$work/nothing.p12" "$work/password" 'no certificate file'
refused not-for-code "$work/server.p12" "$work/password" 'not made for code signing'
# A failure after earlier good builds leaves none of their files either.
cp -r first stale
refused stale "$work/signer.p12" "$work/wrong" 'does not open with the password'
echo "signing test: all checks passed"
