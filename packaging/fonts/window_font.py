#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the window's font: Liberation Serif (SIL Open Font License 1.1), which has the metrics of
Times New Roman, cut down to the letters the window shows (Latin, Cyrillic) and, as the licence asks
of a changed font, named anew: "Zantrel Serif". The program carries it, so that it looks the same
and shows every letter whichever fonts a machine has; the web page carries it as WOFF2 for devices
without Times New Roman.

The font's modification time (in its head table) and the file's are SOURCE_DATE_EPOCH when it
is set, otherwise those of the source font, so that the same sources give the same bytes.

    window_font.py LiberationSerif-Regular.ttf OUTPUT.ttf|OUTPUT.woff2"""
import os
import sys

from fontTools import subset
from fontTools.misc.timeTools import timestampSinceEpoch
from fontTools.ttLib import TTFont

FAMILY = 'Zantrel Serif'
# Printable ASCII, the no-break space, and the Bulgarian and Russian alphabets with Ё and ё.
UNICODES = [*range(0x20, 0x7F), 0xA0, 0x401, *range(0x410, 0x450), 0x451]


def main():
    source, output = sys.argv[1], sys.argv[2]
    font = TTFont(source, recalcTimestamp=False)
    options = subset.Options()
    options.name_IDs = ['*']
    options.name_languages = ['*']
    options.drop_tables += ['FFTM']  # a font editor's time stamp
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=UNICODES)
    subsetter.subset(font)
    for record in font['name'].names:
        text = record.toUnicode()
        renamed = text.replace('Liberation Serif', FAMILY).replace('LiberationSerif', FAMILY.replace(' ', ''))
        if renamed != text:
            record.string = renamed
    if output.endswith('.woff2'):
        font.flavor = 'woff2'
    epoch = os.environ.get('SOURCE_DATE_EPOCH')
    if epoch:
        font['head'].modified = timestampSinceEpoch(int(epoch))
    font.save(output)
    if epoch:
        os.utime(output, (int(epoch), int(epoch)))


if __name__ == '__main__':
    main()
