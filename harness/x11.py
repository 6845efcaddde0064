# SPDX-License-Identifier: MIT
"""Drives the program's window on an X server from outside, as a learner and a window manager
would: find the window, click in it, read its pixels, ask it to close."""
import time

from Xlib import X, protocol
from Xlib.ext import xtest


def find_window(d, timeout, wm_class='zantrel'):
    """The viewable top-level window of that class, or None when none shows up in time."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        for window in d.screen().root.query_tree().children:
            try:
                names = window.get_wm_class()
                viewable = window.get_attributes().map_state == X.IsViewable
            except Exception:  # the window went away between the two requests
                continue
            if names and wm_class in names and viewable:
                return window
        time.sleep(0.002)
    return None


def origin(d, window):
    at = window.translate_coords(d.screen().root, 0, 0)
    return -at.x, -at.y


def click(d, x, y):
    xtest.fake_input(d, X.MotionNotify, x=x, y=y)
    xtest.fake_input(d, X.ButtonPress, 1)
    xtest.fake_input(d, X.ButtonRelease, 1)
    d.sync()
    time.sleep(0.01)


def region(window, x, y, width, height):
    return window.get_image(x, y, width, height, X.ZPixmap, 0xffffffff).data


def request_close(d, window):
    """What a window manager sends when the learner closes the window."""
    protocols = d.intern_atom('WM_PROTOCOLS')
    delete_window = d.intern_atom('WM_DELETE_WINDOW')
    window.send_event(protocol.event.ClientMessage(window=window, client_type=protocols,
                                                   data=(32, [delete_window, X.CurrentTime, 0, 0, 0])),
                      event_mask=X.NoEventMask)
    d.flush()
