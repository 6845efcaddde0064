#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the drill's page as one self-contained file: the title and the controls' markup (written
from the window's form), the style, with the font as a data URL, and the script, with the
WebAssembly module inside it as base64 text, go into the page, and the page's
Content-Security-Policy allows exactly that style and that script, by their SHA-256 hashes. The
same file works served by any web server and opened from disk, where a browser fetches nothing.

    inline_page.py PAGE TITLE CONTROLS STYLE FONT SCRIPT MODULE OUTPUT"""
import base64
import hashlib
import sys


def source_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main():
    page_path, title_path, controls_path, style_path, font_path, script_path, module_path, output = \
        sys.argv[1:]
    with open(page_path, encoding='utf-8') as file:
        page = file.read()
    with open(title_path, encoding='utf-8') as file:
        title = file.read().strip()
    with open(controls_path, encoding='utf-8') as file:
        controls = file.read().strip()
    with open(style_path, encoding='utf-8') as file:
        style = file.read()
    with open(font_path, 'rb') as file:
        font = 'data:font/woff2;base64,' + base64.b64encode(file.read()).decode()
    with open(script_path, encoding='utf-8') as file:
        script = file.read().strip()
    with open(module_path, 'rb') as file:
        module = base64.b64encode(file.read()).decode()
    if script.count('@MODULE@') != 1:
        sys.exit(f'inline_page.py: @MODULE@ must appear once in {script_path}')
    script = script.replace('@MODULE@', module)
    if 'url("liberation-serif.woff2")' not in style or '</' in script or '</' in style:
        sys.exit('inline_page.py: the style must name liberation-serif.woff2, and neither may close a tag')
    style = style.replace('url("liberation-serif.woff2")', f'url("{font}")').strip()
    for name, value in (('@STYLE_HASH@', source_hash(style)), ('@SCRIPT_HASH@', source_hash(script)),
                        ('@TITLE@', title), ('@CONTROLS@', controls), ('@STYLE@', style),
                        ('@SCRIPT@', script)):
        if page.count(name) != 1:
            sys.exit(f'inline_page.py: {name} must appear once in {page_path}')
        page = page.replace(name, value)
    with open(output, 'w', encoding='utf-8') as file:
        file.write(page)


if __name__ == '__main__':
    main()
