#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Starts a program on the X server named by DISPLAY, waits for its window to show, asks it to
close as a window manager would, and expects a clean exit."""
import subprocess
import sys

from Xlib import display

from x11_session import find_window, request_close


def main():
    program = subprocess.Popen(sys.argv[1:])
    d = display.Display()
    window = find_window(d, 30)
    if window is None:
        program.kill()
        sys.exit('no window appeared')
    title = window.get_full_property(d.intern_atom('_NET_WM_NAME'), d.intern_atom('UTF8_STRING'))
    request_close(d, window)
    code = program.wait(timeout=20)
    print(f'window {title.value.decode() if title else "?"!r} opened; exit code {code}')
    sys.exit(code)


if __name__ == '__main__':
    main()
