#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes a zip of the given files, the same bytes for the same files wherever and whenever it is
written: in the order given, each dated SOURCE_DATE_EPOCH (as UTC, since a zip's times have no
zone), readable by everyone (mode 644, whatever the umask or the checkout made of it), with no
owner, and written whole before it replaces OUTPUT.

    SOURCE_DATE_EPOCH=SECONDS zip_files.py OUTPUT NAME=FILE..."""
import os
import sys
import time
import zipfile


def main():
    output, entries = sys.argv[1], sys.argv[2:]
    epoch = os.environ.get('SOURCE_DATE_EPOCH')
    if not epoch or not entries or any('=' not in entry for entry in entries):
        sys.exit(__doc__)
    # A zip's times start in 1980.
    date_time = time.gmtime(max(int(epoch), 315532800))[:6]
    partial = output + '.part'
    with zipfile.ZipFile(partial, 'w') as archive:
        for entry in entries:
            name, path = entry.split('=', 1)
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 3  # Unix, so that the mode below is read
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, 'rb') as file:
                archive.writestr(info, file.read(), compresslevel=9)
    os.replace(partial, output)


if __name__ == '__main__':
    main()
