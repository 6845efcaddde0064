# SPDX-License-Identifier: MIT
"""The three browsers the web edition is tested in, all Debian's, behind one small interface (get,
reload, js, click, key (with a modifier held round it), screenshot, console, quit): Chromium
(headless, through chromedriver) and WebKitGTK's MiniBrowser (through WebKitWebDriver, on the X
server of the session), both through Selenium, and Firefox ESR (headless) through the WebDriver
BiDi it speaks itself, over a websocket. Run them in a session of the harness's own (in_session.sh)."""
import base64
import io
import json
import os
import socket
import subprocess
import tempfile
import threading
import time

import websocket
from PIL import Image
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions

from browser import chromium as chromium_driver


def wait_until(condition, what, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError(what)
        time.sleep(0.1)


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


class Selenium:
    """Chromium or WebKitGTK through their WebDriver servers."""

    def __init__(self, name, driver, process=None):
        self.name, self.driver, self.process = name, driver, process
        driver.set_page_load_timeout(60)

    def get(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def click(self, selector, index=0):
        self.driver.find_elements(By.CSS_SELECTOR, selector)[index].click()

    def key(self, key, modifier=None):
        """A key pressed and let go, with a modifier key (Keys.SHIFT …) held down round it."""
        actions = ActionChains(self.driver)
        if modifier:
            actions.key_down(modifier)
        actions.send_keys(key)
        if modifier:
            actions.key_up(modifier)
        actions.perform()

    def screenshot(self):
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

    def console(self):
        """Errors and warnings logged since the last call (WebKitWebDriver hands out none)."""
        if self.name != 'Chromium':
            return []
        return [f"{e['level']}: {e['message']}" for e in self.driver.get_log('browser')
                if e['level'] in ('SEVERE', 'WARNING')]

    def quit(self):
        self.driver.quit()
        if self.process:
            self.process.terminate()
            self.process.wait()


def chromium():
    return Selenium('Chromium', chromium_driver('--force-device-scale-factor=1', capabilities={
        'goog:loggingPrefs': {'performance': 'ALL', 'browser': 'ALL'}}))


def webkit():
    # Started here rather than by Selenium, whose WebKitGTK driver differs between releases; only
    # the capabilities WebKitWebDriver knows are sent.
    port = free_port()
    process = subprocess.Popen(['/usr/bin/WebKitWebDriver', f'--port={port}'],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_until(lambda: socket.socket().connect_ex(('127.0.0.1', port)) == 0, 'WebKitWebDriver')
    options = WebKitOptions()
    options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
    options.add_argument('--automation')
    driver = webdriver.Remote(command_executor=f'http://127.0.0.1:{port}', options=options)
    driver.set_window_rect(0, 0, 800, 600)
    return Selenium('WebKit', driver, process)


class Firefox:
    """Firefox ESR through the WebDriver BiDi it speaks itself, over a websocket."""
    name = 'Firefox'

    def __init__(self):
        profile = tempfile.mkdtemp(prefix='zantrel-firefox-')
        with open(os.path.join(profile, 'user.js'), 'w') as prefs:
            for pref in ('browser.shell.checkDefaultBrowser', 'datareporting.policy.dataSubmissionEnabled',
                         'network.connectivity-service.enabled', 'network.captive-portal-service.enabled',
                         'browser.safebrowsing.update.enabled', 'extensions.update.enabled'):
                prefs.write(f'user_pref("{pref}", false);\n')
        port = free_port()
        self.process = subprocess.Popen(['/usr/bin/firefox-esr', '--headless', '--no-remote', '--profile', profile,
                                         f'--remote-debugging-port={port}', 'about:blank'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            for line in self.process.stderr:
                if 'WebDriver BiDi listening on ' in line:
                    break
            threading.Thread(target=lambda: [None for _ in self.process.stderr], daemon=True).start()
            self.socket = websocket.create_connection(f'ws://127.0.0.1:{port}/session', timeout=60,
                                                      suppress_origin=True)
            self.next_id, self.logged = 0, []
            self.send('session.new', {'capabilities': {}})
            self.context = self.send('browsingContext.getTree', {})['contexts'][0]['context']
            self.send('session.subscribe', {'events': ['log.entryAdded']})
            self.send('browsingContext.setViewport', {'context': self.context,
                                                      'viewport': {'width': 800, 'height': 600}, 'devicePixelRatio': 1})
        except Exception:
            self.process.kill()  # no browser left behind when the session cannot start
            self.process.wait()
            raise

    def send(self, method, params):
        self.next_id += 1
        self.socket.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('method') == 'log.entryAdded':
                entry = message['params']
                if entry['level'] in ('error', 'warn'):
                    self.logged.append(f"{entry['level']}: {entry.get('text')}")
            elif message.get('id') == self.next_id:
                if message.get('type') == 'error':
                    raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
                return message['result']

    def get(self, url):
        self.send('browsingContext.navigate', {'context': self.context, 'url': url, 'wait': 'complete'})

    def reload(self):
        self.send('browsingContext.reload', {'context': self.context, 'wait': 'complete'})

    @staticmethod
    def value(remote):
        kind, value = remote['type'], remote.get('value')
        if kind == 'array':
            return [Firefox.value(item) for item in value]
        if kind == 'object':
            return {key: Firefox.value(item) for key, item in value}
        return value if kind in ('string', 'number', 'boolean') else None

    def js(self, body, *args):
        result = self.send('script.callFunction', {
            'functionDeclaration': 'function() {' + body + '}', 'awaitPromise': True, 'resultOwnership': 'none',
            'arguments': [{'type': 'string', 'value': a} for a in args], 'target': {'context': self.context}})
        if result['type'] == 'exception':
            raise RuntimeError(result['exceptionDetails']['text'])
        return self.value(result['result'])

    def click(self, selector, index=0):
        x, y = self.js('const r = document.querySelectorAll(arguments[0])[' + str(index) + '].getBoundingClientRect();'
                       'return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)]', selector)
        self.send('input.performActions', {'context': self.context, 'actions': [{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'}, 'actions': [
                {'type': 'pointerMove', 'x': x, 'y': y}, {'type': 'pointerDown', 'button': 0},
                {'type': 'pointerUp', 'button': 0}]}]})

    def key(self, key, modifier=None):
        pressed = [modifier, key] if modifier else [key]
        self.send('input.performActions', {'context': self.context, 'actions': [{
            'type': 'key', 'id': 'keyboard', 'actions': [{'type': 'keyDown', 'value': k} for k in pressed] +
            [{'type': 'keyUp', 'value': k} for k in reversed(pressed)]}]})

    def screenshot(self):
        data = self.send('browsingContext.captureScreenshot', {'context': self.context})['data']
        return Image.open(io.BytesIO(base64.b64decode(data))).convert('RGB')

    def console(self):
        self.js('return 0')  # collects what was logged so far
        logged, self.logged = self.logged, []
        return logged

    def quit(self):
        try:
            self.send('browser.close', {})
        except (RuntimeError, websocket.WebSocketException):
            pass
        self.process.wait(timeout=30)


BROWSERS = {'Chromium': chromium, 'Firefox': Firefox, 'WebKit': webkit}
