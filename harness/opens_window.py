#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Starts a program on the X server named by DISPLAY, waits for its window to show, asks it to
close as a window manager would, and expects a clean exit. With --wm-class CLASS, the window's
class (the second part of WM_CLASS, what docks tie to a desktop entry's StartupWMClass) must be
CLASS.

    opens_window.py [--wm-class CLASS] PROGRAM [ARG]..."""
import subprocess
import sys

from Xlib import display

from x11 import find_window, request_close


def main():
    arguments = sys.argv[1:]
    wm_class = None
    if arguments[:1] == ['--wm-class']:
        wm_class, arguments = arguments[1], arguments[2:]
    program = subprocess.Popen(arguments)
    d = display.Display()
    window = find_window(d, 30)
    if window is None:
        program.kill()
        sys.exit('no window appeared')
    title = window.get_full_property(d.intern_atom('_NET_WM_NAME'), d.intern_atom('UTF8_STRING'))
    names = window.get_wm_class()
    request_close(d, window)
    code = program.wait(timeout=20)
    print(f'window {title.value.decode() if title else "?"!r} of class {names} opened; exit code {code}')
    if wm_class is not None and (not names or names[1] != wm_class):
        sys.exit(f'the window class is not {wm_class!r}')
    sys.exit(code)


if __name__ == '__main__':
    main()
