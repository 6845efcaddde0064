# SPDX-License-Identifier: MIT
"""The window's form, as the program's own table gives it: tests/form/form_rows writes its rows at
build time to the JSON file that ZANTREL_FORM names. With them, what the Python tests measure the
editions by: a row's place in pixels and background, the options' captions, the contrast of two
colours."""
import json
import os

with open(os.environ['ZANTREL_FORM'], encoding='utf-8') as _file:
    _FORM = json.load(_file)
WINDOW = _FORM['window']
ROWS = {row['name']: row for row in [WINDOW] + _FORM['controls']}
CAPTIONS = [row['text'] for row in sorted((row for row in _FORM['controls'] if row['kind'] == 'option'),
                                          key=lambda row: row['index'])]


def place(name):
    """A row's place in the window's client area in pixels at 96 dpi (15 twips to a pixel; an
    option's place is inside Frame1's): left, top, and right and bottom just outside it."""
    row = ROWS[name]
    left, top, width, height = (twips // 15 for twips in row['place'])
    if row['kind'] == 'option':
        frame = place('Frame1')
        left, top = left + frame[0], top + frame[1]
    return left, top, left + width, top + height


def point(name, x, y):
    """A pixel of a row in the window's client area, x and y counted from the row's left and top, or
    where negative from its right and bottom, as Python counts."""
    left, top, right, bottom = place(name)
    return (left if x >= 0 else right) + x, (top if y >= 0 else bottom) + y


def background(name):
    """A row's background, (red, green, blue)."""
    return tuple(ROWS[name]['background'])


def contrast(a, b):
    """WCAG 2's contrast ratio of two colours, from 1 (the same) to 21 (black and white)."""
    def luminance(rgb):
        c = [v / 255 for v in rgb]
        c = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)
