# SPDX-License-Identifier: MIT
"""Debian's Chromium, headless, and a plain static web server on 127.0.0.1, for the web edition's
tests and benchmarks. Run them in a session of the harness's own (in_session.sh), so that the
browser's files stay out of the developer's home."""
import functools
import http.server
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Without the background-networking flags Chromium tries hosts of its own on every start.
CHROMIUM_FLAGS = ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                  '--disable-background-networking', '--disable-component-update', '--disable-sync',
                  '--window-size=800,600')


def chromium(*flags, capabilities=None):
    """A WebDriver session with a new headless Chromium and a profile of its own."""
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in CHROMIUM_FLAGS + flags + ('--user-data-dir=' + tempfile.mkdtemp(prefix='zantrel-chromium-'),):
        options.add_argument(flag)
    for name, value in (capabilities or {}).items():
        options.set_capability(name, value)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


class Server(http.server.ThreadingHTTPServer):
    """A plain static server of one folder, as a school's would be: Last-Modified, no
    Cache-Control. It notes the paths it was asked for."""

    def __init__(self, folder):
        self.paths = []
        super().__init__(('127.0.0.1', 0), functools.partial(_Handler, directory=folder))
        self.origin = f'http://127.0.0.1:{self.server_address[1]}'
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def stop(self):
        self.shutdown()
        self.server_close()


class _Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        self.server.paths.append(self.path)
