#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""One learner's session with the web edition in headless Chromium, served from 127.0.0.1:
exercises judged against the test's own polynomial check (a wrong choice, then the right one,
then "Чисти"), the keyboard path, the accessibility tree, the painted pixels, an offline reload
through the service worker, no request to another origin and no storage left behind.

    browser_test.py SITE_DIR"""
import functools
import http.server
import io
import itertools
import json
import os
import re
import sys
import tempfile
import threading

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

CAPTIONS = ['(x + y)^2', '(x - y)^2', 'x^2 - y^2', '(x + y + z)^2', '(x + y - z)^2', '(x + y)^3',
            '(x - y)^3', 'x^3 + y^3', 'x^3 - y^3']
FORMULAS = [lambda x, y, z: (x + y) ** 2, lambda x, y, z: (x - y) ** 2, lambda x, y, z: x * x - y * y,
            lambda x, y, z: (x + y + z) ** 2, lambda x, y, z: (x + y - z) ** 2, lambda x, y, z: (x + y) ** 3,
            lambda x, y, z: (x - y) ** 3, lambda x, y, z: x ** 3 + y ** 3, lambda x, y, z: x ** 3 - y ** 3]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print('FAIL: ' + message)


def formulas_of(text):
    """The formulas that give this text for some different numbers a, b, c from 1 to 8, with the
    letters of the text, in order of appearance, as x, y (and z): the text read as a polynomial."""
    if not re.fullmatch(r'[0-9a-h+\-*^() ]+', text):
        return set()
    letters = list(dict.fromkeys(re.findall('[a-h]', text)))
    points = [(2, 3, 5), (7, -4, 11), (-3, 13, 6)]
    code = compile(text.replace('^', '**').strip(), 'expression', 'eval')
    values = [eval(code, {'__builtins__': {}}, dict(zip(letters, p))) for p in points]
    found = set()
    for (a, b, c), (index, formula) in itertools.product(itertools.permutations(range(1, 9), 3), enumerate(FORMULAS)):
        if (len(letters) == 3) == (index in (3, 4)) and \
                values == [formula(a * x, b * y, c * z) for x, y, z in points]:
            found.add(index)
    return found


class Server(http.server.ThreadingHTTPServer):
    def __init__(self, folder):
        self.paths = []
        handler = functools.partial(Handler, directory=folder)
        super().__init__(('127.0.0.1', 0), handler)
        self.origin = f'http://127.0.0.1:{self.server_address[1]}'
        threading.Thread(target=self.serve_forever, daemon=True).start()


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        self.server.paths.append(self.path)


def main():
    site, elsewhere = Server(sys.argv[1]), Server(tempfile.mkdtemp())
    home = tempfile.mkdtemp(prefix='zantrel-browser-')  # the browser's own files stay out of the real home
    os.environ.update(HOME=home, XDG_CONFIG_HOME=home + '/.config', XDG_CACHE_HOME=home + '/.cache')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--force-device-scale-factor=1', '--window-size=800,600', '--user-data-dir=' + tempfile.mkdtemp()):
        options.add_argument(flag)
    options.set_capability('goog:loggingPrefs', {'performance': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    wait = WebDriverWait(driver, 20)
    js = driver.execute_script
    loaded = "return !document.getElementById('Zantrel').classList.contains('loading')"
    try:
        driver.get(site.origin + '/')
        wait.until(lambda d: js(loaded))
        check(driver.title == 'www.zantrel.example Математика - умножение на многочлени', 'title: ' + driver.title)
        radios = driver.find_elements(By.CSS_SELECTOR, '#Frame1 input')
        captions = driver.find_elements(By.CSS_SELECTOR, '#Frame1 span')
        feedback, expression, button = (driver.find_element(By.ID, i) for i in ('Text1_0', 'Text2', 'Command1'))
        shown = lambda: expression.get_property('value')  # noqa: E731
        answer = lambda: feedback.get_property('textContent')  # noqa: E731
        check(answer().startswith('В основното образование') and answer().endswith('a^3 - b^3\n'), 'description')
        check([c.text for c in captions] == CAPTIONS, 'captions')

        # Exercises: a wrong choice names the right formula, the right one is praised, "Чисти" starts over.
        for turn in range(12):
            text, right = shown(), formulas_of(shown())
            check(len(right) == 1, f'{text!r} matches formulas {right}')
            right = right.pop() if len(right) == 1 else 0
            (captions if turn % 2 else radios)[(right + 1 + turn % 8) % 9].click()
            check(answer() == 'Сравнете с ' + CAPTIONS[right], f'{text!r}, wrong choice: {answer()!r}')
            radios[right].click()
            check(answer() == 'Правилно!' and shown() == text, f'{text!r}, right choice: {answer()!r}')
            button.click()
            check(answer() == '' and not any(r.is_selected() for r in radios) and shown() != text, 'after "Чисти"')

        # The keyboard alone: feedback box, the options as one stop, "Чисти", the expression box.
        driver.find_element(By.ID, 'Label1_0').click()  # Tab goes on from the heading
        order = []
        for keys in ([Keys.TAB], [Keys.TAB], [Keys.ARROW_DOWN], [Keys.TAB], [Keys.SPACE], [Keys.ENTER], [Keys.TAB]):
            before = shown()
            ActionChains(driver).send_keys(*keys).perform()
            order.append((js('return document.activeElement.id || document.activeElement.parentElement.id'),
                          answer(), shown() != before))
        check([o[0] for o in order] == ['Text1_0', 'Option1_0', 'Option1_1', 'Command1', 'Command1', 'Command1', 'Text2'],
              f'focus order {order}')
        check(order[2][1].startswith(('Правилно!', 'Сравнете с ')) and order[4] == ('Command1', '', True)
              and order[5][2], f'keys did not judge or start anew: {order}')

        # What a screen reader is given.
        nodes = driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        ax = [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''), n.get('description', {}).get('value', ''),
               {p['name']: p['value'].get('value') for p in n.get('properties', [])}) for n in nodes]
        radio_names = [a[1] for a in ax if a[0] == 'radio']
        check(len(radio_names) == 9 and all(re.fullmatch('Формула [а-я xyz23]+', n) for n in radio_names), f'{radio_names}')
        check(('button', 'Чисти', 'Нова задача') in [a[:3] for a in ax], 'button name')
        check(('radiogroup', 'Формули') in [a[:2] for a in ax], 'options group name')
        spoken = next((a[2] for a in ax if a[:2] == ('textbox', 'Алгебричен израз')), '')
        check(re.findall(r'[0-9]+|[a-h]\b', re.sub(r'\^[23]', '', shown())) == re.findall(r'[0-9]+|\b[a-h]\b', spoken)
              and not re.search(r'[\^*()+]', spoken), f'spoken {spoken!r} of {shown()!r}')
        check(any(a[:2] == ('textbox', 'Пояснение и отговор') and a[3].get('live') == 'polite' for a in ax), 'feedback box')

        # The painted window: colours at the places the window's layout gives, text in every control.
        left, top = js("const r = document.getElementById('Zantrel').getBoundingClientRect(); return [r.left, r.top]")
        shot = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert('RGB')
        shot.save('zantrel-web-screenshot.png')  # for a person to look at
        at = lambda x, y: shot.getpixel((round(left) + x, round(top) + y))  # noqa: E731
        for x, y, colour, what in ((2, 2, (192, 192, 255), 'window'), (57, 1, (255, 192, 128), 'heading'),
                                   (161, 33, (255, 192, 128), 'label'), (285, 60, (192, 192, 255), 'frame'),
                                   (307, 212, (255, 128, 128), 'button face'), (304, 208, (255, 255, 255), 'bevel'),
                                   (424, 232, (0, 0, 0), 'bevel shadow'), (450, 245, (255, 255, 255), 'expression box'),
                                   (10, 300, (255, 255, 255), 'feedback box')) + \
                tuple((279, 58 + 20 * i, (128, 255, 255), f'option {i}') for i in range(9)):
            check(at(x, y) == colour, f'{what} at ({x}, {y}): {at(x, y)}')
        for name, (x, y, w, h) in {'heading': (56, 0, 345, 25), 'label': (160, 32, 121, 25), 'button': (306, 210, 117, 21),
                                   'expression': (9, 241, 447, 39), 'options': (180, 56, 100, 180)}.items():
            dark = sum(sum(at(x + i, y + j)) < 200 for i in range(w) for j in range(h))
            check(dark > 20, f'no text painted in the {name}')

        # Offline: once the service worker holds the site, the drill works without the server (and
        # without the browser's own cache, which would hide a file the worker does not keep).
        js('return navigator.serviceWorker.ready.then(() => true)')
        driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
        wait.until(lambda d: js('return !!navigator.serviceWorker.controller'))
        site.shutdown()
        site.server_close()
        driver.refresh()
        wait.until(lambda d: js(loaded))
        feedback, expression = driver.find_element(By.ID, 'Text1_0'), driver.find_element(By.ID, 'Text2')
        right = formulas_of(shown())
        if len(right) == 1:
            driver.find_elements(By.CSS_SELECTOR, '#Frame1 input')[right.pop()].click()
        check(answer() == 'Правилно!', f'offline drill: {shown()!r}, {answer()!r}')
        check(js('return caches.keys()') == ['zantrel-1.00'], 'cache')
        installable = driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
        check(not installable and not driver.execute_cdp_cmd('Page.getAppManifest', {})['errors'],
              f'cannot be added to a home screen: {installable}')

        # Nothing asked of another origin (the policy refuses it), nothing stored.
        blocked = driver.execute_async_script(
            "fetch(arguments[0]).then(() => arguments[1]('fetched'), () => arguments[1]('blocked'))", elsewhere.origin)
        requests = [json.loads(e['message'])['message'] for e in driver.get_log('performance')]
        urls = {m['params']['request']['url'] for m in requests if m['method'] == 'Network.requestWillBeSent'}
        check(blocked == 'blocked' and not elsewhere.paths, 'a request reached another origin')
        urls = {u for u in urls if u.startswith(('http:', 'https:', 'ws:', 'wss:'))}  # not the browser's own pages
        check(all(u.startswith(site.origin + '/') for u in urls), f'requests: {sorted(urls)}')
        storage = js('return indexedDB.databases().then(d => [document.cookie, localStorage.length, sessionStorage.length, d.length])')
        check(storage == ['', 0, 0, 0] and not driver.get_cookies(), f'storage: {storage}')
        print(f'{len(urls)} distinct requests, all to {site.origin}')
    finally:
        driver.quit()
    print(f'browser test: {len(failures)} failures')
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
