#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web edition in three browsers: Debian's Chromium (headless, through chromedriver), Firefox
ESR (headless, through its own WebDriver BiDi) and WebKitGTK's MiniBrowser (through
WebKitWebDriver, on the X server of the test's session).

In each, one learner's session with the site served from 127.0.0.1: exercises judged against the
test's own polynomial check (a wrong choice, then the right one, then "Чисти"), the keyboard path
with the arrow keys going round the options, the painted pixels, an offline reload through the
service worker (also from a server that connects but never answers), no request to another origin,
no storage left behind and nothing in the console; in Chromium also the accessibility tree and what
adding it to a home screen needs. Then the page unzipped and opened from disk, and a page whose
script cannot run, which must say what to do. In WebKit's narrowest window and in Chromium on
phones with touch, portrait and turned: targets, text sizes, the whole expression and the answer in
view after each tap. In Chromium with forced colours (as High Contrast on Windows forces them), at
a desktop's size and a phone's: the button's border, the chosen option and the focus. Last, in
Chromium, an update from one version to the next of one of two copies
of the site on one host, with the files as old as an unpacked zip leaves them.

    browser_test.py SITE_DIR ZIP"""
import base64
import hashlib
import itertools
import json
import os
import re
import shutil
import socket
import sys
import tempfile
import time
import zipfile

from PIL import Image
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys

from browser import Server
from drivers import BROWSERS, chromium, wait_until
from form import CAPTIONS, WINDOW, background, contrast, place, point
from report import check, failures, finish

FORMULAS = [lambda x, y, z: (x + y) ** 2, lambda x, y, z: (x - y) ** 2, lambda x, y, z: x * x - y * y,
            lambda x, y, z: (x + y + z) ** 2, lambda x, y, z: (x + y - z) ** 2, lambda x, y, z: (x + y) ** 3,
            lambda x, y, z: (x - y) ** 3, lambda x, y, z: x ** 3 + y ** 3, lambda x, y, z: x ** 3 - y ** 3]


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


LOADED = "return !document.getElementById('Zantrel').classList.contains('loading')"


def load(browser, url):
    browser.get(url)
    wait_until(lambda: browser.js(LOADED), f'{browser.name}: {url} did not start')


def answer(browser):
    return browser.js("return document.querySelector('#Text1_0 .shown').textContent")


def shown(browser):
    return browser.js("return document.querySelector('#Text2 .shown').textContent")


def right_formula(browser):
    right = formulas_of(shown(browser))
    check(len(right) == 1, f'{browser.name}: {shown(browser)!r} matches formulas {right}')
    return right.pop() if len(right) == 1 else 0


def judged(index, right):
    return 'Правилно!' if index == right else 'Сравнете с ' + CAPTIONS[right]


def learner_session(browser, site_dir):
    """The learner's session, served."""
    name = browser.name + ': '
    site, elsewhere = Server(site_dir), Server(tempfile.mkdtemp())
    load(browser, site.origin + '/')
    title = browser.js('return document.title')
    check(title == WINDOW['text'], name + 'title: ' + title)
    check(answer(browser).startswith('В основното образование') and answer(browser).endswith('a^3 - b^3\n'),
          name + 'description')
    captions = browser.js("return [...document.querySelectorAll('#Frame1 span')].map(s => s.textContent)")
    check(captions == CAPTIONS, name + f'captions {captions}')
    selected = "return [...document.querySelectorAll('#Frame1 input')].some(r => r.checked)"

    # Exercises: a wrong choice names the right formula, the right one is praised, "Чисти" starts over.
    for turn in range(12):
        text, right = shown(browser), right_formula(browser)
        browser.click('#Frame1 span' if turn % 2 else '#Frame1 input', (right + 1 + turn % 8) % 9)
        check(answer(browser) == 'Сравнете с ' + CAPTIONS[right], name + f'{text!r}, wrong choice: {answer(browser)!r}')
        browser.click('#Frame1 input', right)
        check(answer(browser) == 'Правилно!' and shown(browser) == text,
              name + f'{text!r}, right choice: {answer(browser)!r}')
        browser.click('#Command1')
        check(answer(browser) == '' and not browser.js(selected) and shown(browser) != text, name + 'after "Чисти"')

    # The keyboard alone: feedback box, the options as one stop, "Чисти", the expression box.
    browser.click('#Label1_0')  # Tab goes on from the heading
    focused = 'const e = document.activeElement; return e.id || e.parentElement.id'
    order = []
    for key in (Keys.TAB, Keys.TAB, Keys.ARROW_DOWN, Keys.TAB, Keys.SPACE, Keys.ENTER, Keys.TAB):
        before = shown(browser)
        browser.key(key)
        order.append((browser.js(focused), answer(browser), shown(browser) != before))
    check([o[0] for o in order] == ['Text1_0', 'Option1_0', 'Option1_1', 'Command1', 'Command1', 'Command1', 'Text2'],
          name + f'focus order {order}')
    check(order[2][1].startswith(('Правилно!', 'Сравнете с ')), name + f'the arrow key did not judge: {order}')
    # Firefox driven over BiDi gets the key events but, its window never having the system's
    # focus, does not turn Space or Enter into a button's click; the other two do.
    check(browser.name == 'Firefox' or (order[4] == ('Command1', '', True) and order[5][2]),
          name + f'Space or Enter did not start anew: {order}')
    # The arrow keys go round the options, from the last to the first and back, judging each.
    right = right_formula(browser)
    browser.click('#Frame1 input', 8)
    rounds = []
    for key in (Keys.ARROW_DOWN, Keys.ARROW_UP, Keys.ARROW_RIGHT, Keys.ARROW_LEFT, Keys.ARROW_UP):
        browser.key(key)
        rounds.append((browser.js(focused), browser.js("return document.querySelector('#Frame1 :checked').parentElement.id"),
                       answer(browser)))
    # With a modifier key held, an arrow neither chooses nor judges (nor writes an answer).
    for modifier in (Keys.SHIFT, Keys.CONTROL, Keys.ALT):
        browser.js("ZantrelPage.showFeedback('')")
        browser.key(Keys.ARROW_DOWN, modifier)
        rounds.append((browser.js(focused), browser.js("return document.querySelector('#Frame1 :checked').parentElement.id"),
                       answer(browser)))
    expected = [(f'Option1_{i}', f'Option1_{i}', judged(i, right)) for i in (0, 8, 0, 8, 7)] + \
        [('Option1_7', 'Option1_7', '')] * 3
    check(rounds == expected, name + f'arrow keys: {rounds}, not {expected}')

    # The painted window: each face's colour just inside it (an option's right of its round mark,
    # the button's inside its bevel), the bevel's light and dark corners, the white text boxes; text
    # in every control. A browser under load may paint late: the screenshot is taken again until the
    # colours are all there, for a while.
    left, top = browser.js("const r = document.getElementById('Zantrel').getBoundingClientRect(); return [r.left, r.top]")
    white = (255, 255, 255)
    colours = [(point('Zantrel', 2, 2), background('Zantrel'), 'window'),
               (point('Label1_0', 1, 1), background('Label1_0'), 'heading'),
               (point('Label1_1', 1, 1), background('Label1_1'), 'label'),
               (point('Frame1', -4, 4), background('Frame1'), 'frame'),
               (point('Command1', 3, 4), background('Command1'), 'button face'),
               (point('Command1', 0, 0), white, 'bevel'), (point('Command1', -1, -1), (0, 0, 0), 'bevel shadow'),
               (point('Text2', -7, 5), white, 'expression box'), (point('Text1_0', 2, 12), white, 'feedback box')] + \
        [(point(f'Option1_{i}', -2, 2), background(f'Option1_{i}'), f'option {i}') for i in range(9)]
    deadline = time.monotonic() + 10
    while True:
        shot = browser.screenshot()
        at = lambda x, y: shot.getpixel((round(left) + x, round(top) + y))  # noqa: E731
        if all(at(x, y) == colour for (x, y), colour, _ in colours) or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    shot.save(f'zantrel-web-{browser.name.lower()}.png')  # for a person to look at
    for (x, y), colour, what in colours:
        check(at(x, y) == colour, name + f'{what} at ({x}, {y}): {at(x, y)}')
    inset = lambda box, by: (box[0] + by, box[1] + by, box[2] - by, box[3] - by)  # noqa: E731
    first, last = place('Option1_0'), place('Option1_8')
    for what, (x0, y0, x1, y1) in {'heading': place('Label1_0'), 'label': place('Label1_1'),
                                   'button': inset(place('Command1'), 2), 'expression': inset(place('Text2'), 1),
                                   'options': (first[0] + 20, first[1], first[2] - 1, last[3])}.items():
        dark = sum(sum(at(x, y)) < 200 for x in range(x0, x1) for y in range(y0, y1))
        check(dark > 20, name + f'no text painted in the {what}')

    if browser.name == 'Chromium':
        chromium_only(browser, site_dir)

    # Offline: once the service worker holds the site, the drill works without the server (and, in
    # Chromium, without the browser's own cache, which would hide a file the worker does not keep).
    browser.js('return navigator.serviceWorker.ready.then(() => true)')
    wait_until(lambda: browser.js('return !!navigator.serviceWorker.controller'), name + 'no service worker')
    if browser.name == 'Chromium':
        browser.driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
    site.stop()
    with socket.create_server(site.server_address):  # a server that connects but never answers
        started = time.monotonic()
        load(browser, site.origin + '/')
        waited = time.monotonic() - started
    browser.click('#Frame1 input', right_formula(browser))
    check(waited < 10 and answer(browser) == 'Правилно!', name + f'silent server: offline after {waited:.1f} s')
    load(browser, site.origin + '/')  # no server at all
    browser.click('#Frame1 input', right_formula(browser))
    check(answer(browser) == 'Правилно!', name + f'offline drill: {shown(browser)!r}, {answer(browser)!r}')
    caches = browser.js('return caches.keys()')
    check(caches == [f'zantrel {site.origin}/ 1.00'], name + f'caches {caches}')

    # Nothing asked of another origin (the policy refuses it), nothing stored, nothing in the console.
    blocked = browser.js("return fetch(arguments[0]).then(() => 'fetched', () => 'blocked')", elsewhere.origin)
    check(blocked == 'blocked' and not elsewhere.paths, name + 'a request reached another origin')
    storage = browser.js('return indexedDB.databases().then(d => [document.cookie, localStorage.length, '
                         'sessionStorage.length, d.length])')
    check(storage == ['', 0, 0, 0], name + f'storage: {storage}')
    console = [m for m in browser.console() if elsewhere.origin not in m]  # the refused request is reported
    check(not console, name + f'console: {console}')
    elsewhere.stop()


def chromium_only(browser, site_dir):
    """What only Chromium tells: the accessibility tree, the requests, adding it to a home screen."""
    driver = browser.driver
    nodes = driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
    ax = [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''), n.get('description', {}).get('value', ''),
           {p['name']: p['value'].get('value') for p in n.get('properties', [])}) for n in nodes]
    radio_names = [a[1] for a in ax if a[0] == 'radio']
    check(len(radio_names) == 9 and all(re.fullmatch('Формула [а-я xyz23]+', n) for n in radio_names), f'{radio_names}')
    check(('button', 'Чисти', 'Нова задача') in [a[:3] for a in ax], 'button name')
    check(('radiogroup', 'Формули') in [a[:2] for a in ax], 'options group name')
    # What a screen reader reads of the expression box: the texts inside it that it is not told to pass over.
    by_id = {n['nodeId']: n for n in nodes}
    box = next((n for n in nodes if n.get('role', {}).get('value') == 'textbox'
                and n.get('name', {}).get('value') == 'Алгебричен израз'), {})
    spoken = ' '.join(by_id[c].get('name', {}).get('value', '') for c in box.get('childIds', [])
                      if c in by_id and not by_id[c].get('ignored'))
    text = shown(browser)
    check(re.findall(r'[0-9]+|[a-h]\b', re.sub(r'\^[23]', '', text)) == re.findall(r'[0-9]+|\b[a-h]\b', spoken)
          and not re.search(r'[\^*()+]', spoken), f'spoken {spoken!r} of {text!r}')
    check(any(a[0] == 'textbox' and a[1] == 'Пояснение и отговор' for a in ax) and
          any(a[3].get('live') == 'polite' for a in ax), 'feedback box, or no live region for the answers')
    installable = driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
    manifest = driver.execute_cdp_cmd('Page.getAppManifest', {})
    check(not installable and not manifest['errors'], f'cannot be added to a home screen: {installable}')
    home_screen_icons(json.loads(manifest['data']), site_dir)
    origin = browser.js('return location.origin')
    requests = [json.loads(e['message'])['message'] for e in driver.get_log('performance')]
    urls = {m['params']['request']['url'] for m in requests if m['method'] == 'Network.requestWillBeSent'}
    urls = {u for u in urls if u.startswith(('http:', 'https:', 'ws:', 'wss:'))}  # not the browser's own pages
    check(all(u.startswith(origin + '/') for u in urls), f'requests: {sorted(urls)}')
    check(len([u for u in urls if u.endswith(('.wasm', '.js', '.css', '.woff2'))]) == 0, f'the page fetched parts of itself: {urls}')


def home_screen_icons(manifest, site_dir):
    """192 and 512 px PNG icons, and a maskable one that draws nothing outside the circle of 80 % of
    its side that a home screen's mask leaves."""
    icons = {(i['sizes'], i.get('purpose', 'any')): i['src'] for i in manifest['icons'] if i['type'] == 'image/png'}
    for sizes, purpose in (('192x192', 'any'), ('512x512', 'any'), ('512x512', 'maskable')):
        if check((sizes, purpose) in icons, f'no {purpose} {sizes} icon in {sorted(icons)}'):
            image = Image.open(os.path.join(site_dir, icons[sizes, purpose])).convert('RGB')
            side, colours = image.width, image.getcolors()
            edge = {image.getpixel((x, y)) for x in range(0, side, 2) for y in range(0, side, 2)
                    if (x - side / 2) ** 2 + (y - side / 2) ** 2 > (0.4 * side) ** 2}
            check('%dx%d' % image.size == sizes and (purpose != 'maskable' or (len(edge) == 1 and len(colours) > 4)),
                  f'{icons[sizes, purpose]}: {image.size}, {edge} outside the safe zone')


# Phones: Chromium with touch, portrait and turned, and WebKit in its narrowest window.
PHONES = ((360, 740), (568, 320), (320, 568), (390, 844))
LONGEST = ' 64*a^2 +  49*b^2 +  36*c^2 +  112*a*b -  96*a*c -  84*b*c'
# The targets' boxes, the smallest text as drawn, the expression's terms split between lines, whether
# it is cut or the page scrolls sideways, whether the answer's first line is on the screen, uncovered.
PHONE = """
    const byId = (id) => document.getElementById(id), E = byId('Text2'), F = byId('Text1_0');
    const e = E.querySelector('.shown'), f = F.querySelector('.shown');
    const box = (t) => { const b = t.getBoundingClientRect(); return [b.left, b.top, b.right, b.bottom]; };
    const rects = (node, from, to) => {
        const r = document.createRange(); r.setStart(node, from); r.setEnd(node, to); return r.getClientRects(); };
    const scale = byId('Zantrel').getBoundingClientRect().width / byId('Zantrel').offsetWidth;
    const texts = [...document.querySelectorAll('#Frame1 span, .label, #Command1, #Text1_0 .shown, #Text2 .shown')];
    const first = f.firstChild && rects(f.firstChild, 0, 1)[0];
    return {targets: [...document.querySelectorAll('#Frame1 > label, #Command1')].map(box),
            smallest: scale * Math.min(...texts.map((t) => parseFloat(getComputedStyle(t).fontSize))),
            split: [...e.textContent.matchAll(/\\S+/g)].filter((m) => rects(e.firstChild, m.index, m.index + m[0].length)
                .length != 1).map((m) => m[0]),
            cut: E.scrollWidth > E.clientWidth || E.scrollHeight > E.clientHeight || box(E)[0] < 0 || box(E)[2] > innerWidth,
            sideways: document.documentElement.scrollWidth > innerWidth,
            answer: !!first && first.top >= 0 && first.bottom <= innerHeight
                && F.contains(document.elementFromPoint(first.left + 2, (first.top + first.bottom) / 2))}"""


def tap(browser, selector, index=0, edge=False):
    """A tap (a click in WebKit) on a control's middle, or near its right end."""
    x, y = browser.js('const r = document.querySelectorAll(arguments[0])[arguments[1]].getBoundingClientRect();'
                      'return [r.left + (arguments[2] ? r.width - 6 : r.width / 2), r.top + r.height / 2]',
                      selector, index, edge)
    actions = ActionBuilder(browser.driver, mouse=PointerInput(
        interaction.POINTER_TOUCH if browser.name == 'Chromium' else interaction.POINTER_MOUSE, 'finger'))
    actions.pointer_action.move_to_location(round(x), round(y)).pointer_down().pointer_up()
    actions.perform()


def on_phone(browser, name):
    """Targets of at least 44 by 44 CSS px that do not overlap, text drawn at 16 px or more, the
    expression (the longest too) whole and broken only between terms, nothing to scroll sideways;
    then two exercises tapped through, the answer's first line in view after each tap."""
    expression = shown(browser)
    for text in (LONGEST, expression):  # the module's own last, to be judged
        browser.js("ZantrelPage.showExpression(arguments[0], '')", text)
        page = browser.js(PHONE)
        small = [t for t in page['targets'] if t[2] - t[0] < 44 or t[3] - t[1] < 44]
        overlapping = [(a, b) for a, b in itertools.combinations(page['targets'], 2)
                       if min(a[2], b[2]) > max(a[0], b[0]) and min(a[3], b[3]) > max(a[1], b[1])]
        check(not small and not overlapping and page['smallest'] >= 16 and not page['split'] and not page['cut']
              and not page['sideways'], name + f'{text!r}: small {small}, overlapping {overlapping}, {page}')
    for turn in range(2):
        text, right = shown(browser), right_formula(browser)
        for index, edge, said in ((right + 1 + turn) % 9, True, 'Сравнете с ' + CAPTIONS[right]), (right, False, 'Правилно!'):
            tap(browser, '#Frame1 > label', index, edge)
            check(answer(browser) == said and browser.js(PHONE)['answer'], name + f'{text!r}, option {index}: {answer(browser)!r}')
        tap(browser, '#Command1')
        check(answer(browser) == '' and shown(browser) != text, name + 'after "Чисти"')
    check(browser.js(PHONE)['targets'] == page['targets'], name + 'the controls moved')


def phones(site_dir):
    """Chromium with touch at phones' sizes, with no layout shift; a phone turned in the middle of an
    exercise keeps the exercise, the choice and the answer."""
    browser, site = chromium(), Server(site_dir)
    size = lambda w, h: browser.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {  # noqa: E731
        'width': w, 'height': h, 'deviceScaleFactor': 1, 'mobile': True})
    shifts = 'return new Promise((done) => { let sum = 0; new PerformanceObserver((l) => l.getEntries().forEach(' \
             '(e) => { sum += e.value; })).observe({type: "layout-shift", buffered: true}); setTimeout(() => done(sum), 200); })'
    state = "return [...['Text2', 'Text1_0'].map((id) => document.querySelector(`#${id} .shown`).textContent), " \
            "[...document.querySelectorAll('#Frame1 input')].findIndex((r) => r.checked)]"
    try:
        browser.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
        for width, height in PHONES:
            size(width, height)
            load(browser, site.origin + '/')
            on_phone(browser, f'Chromium at {width}x{height}: ')
            browser.screenshot().save(f'zantrel-phone-chromium-{width}x{height}.png')  # for a person to look at
            check(browser.js(shifts) == 0, f'Chromium at {width}x{height}: layout shift {browser.js(shifts)}')
        tap(browser, '#Frame1 > label', (right_formula(browser) + 1) % 9)
        kept = browser.js(state)
        size(740, 360)
        check(browser.js(state) == kept and browser.js(PHONE)['answer'], f'turned: {browser.js(state)}, not {kept}')
        on_phone(browser, 'Chromium turned to 740x360: ')
    finally:
        browser.quit()
        site.stop()


def changed(before, after, box):
    """How many pixels of a box changed from one screenshot to the other, to a contrast of 3 : 1 at least."""
    left, top, right, bottom = (round(v) for v in box)
    return sum(contrast(before.getpixel((x, y)), after.getpixel((x, y))) >= 3
               for x in range(left, right) for y in range(top, bottom))


def forced_colours(site_dir):
    """Chromium with forced colours, as High Contrast on Windows forces them, in the window and on a
    phone: "Чисти" has a border that stands out from its face and from the page all round, the chosen
    option is marked over its whole width, and the focus shows on an option, on "Чисти" and on the
    expression box."""
    browser, site = chromium(), Server(site_dir)
    cdp = browser.driver.execute_cdp_cmd
    box = "const r = document.querySelectorAll(arguments[0])[arguments[1]].getBoundingClientRect();" \
          "return [r.left, r.top, r.right, r.bottom]"
    try:
        cdp('Emulation.setEmulatedMedia', {'features': [{'name': 'forced-colors', 'value': 'active'}]})
        for width, height, touch in ((1280, 1024, False), (360, 740, True)):
            name = f'Chromium in forced colours at {width}x{height}: '
            cdp('Emulation.setTouchEmulationEnabled', {'enabled': touch, 'maxTouchPoints': 5 if touch else 1})
            cdp('Emulation.setDeviceMetricsOverride', {'width': width, 'height': height, 'deviceScaleFactor': 1,
                                                       'mobile': touch})
            load(browser, site.origin + '/')
            check(browser.js("return matchMedia('(forced-colors: active)').matches"), name + 'not forced')
            shot = browser.screenshot()
            left, top, right, bottom = (round(v) for v in browser.js(box, '#Command1', 0))
            middle_x, middle_y = (left + right) // 2, (top + bottom) // 2
            # Each side's pixel on the border, 4 px inside it (clear of the text) and 2 px outside.
            sides = {'left': ((left, middle_y), (left + 4, middle_y), (left - 2, middle_y)),
                     'top': ((middle_x, top), (middle_x, top + 4), (middle_x, top - 2)),
                     'right': ((right - 1, middle_y), (right - 5, middle_y), (right + 1, middle_y)),
                     'bottom': ((middle_x, bottom - 1), (middle_x, bottom - 5), (middle_x, bottom + 1))}
            edges = {side: [round(contrast(shot.getpixel(edge), shot.getpixel(other)), 1) for other in (inside, outside)]
                     for side, (edge, inside, outside) in sides.items()}
            check(all(min(ratios) >= 3 for ratios in edges.values()), name + f'"Чисти" has no border: {edges}')

            option = browser.js(box, '#Frame1 > label', 3)
            browser.click('#Frame1 span', 3)
            chosen = browser.screenshot()
            area = (option[2] - option[0]) * (option[3] - option[1])
            check(changed(shot, chosen, option) > area / 3, name + f'the chosen option is not marked: '
                  f'{changed(shot, chosen, option)} of {area} pixels changed')
            browser.key(Keys.TAB)  # to "Чисти"
            on_button = browser.screenshot()
            browser.key(Keys.TAB, Keys.SHIFT)  # back to the chosen option
            on_option = browser.screenshot()
            browser.key(Keys.TAB)
            browser.key(Keys.TAB)  # to the expression box
            on_expression = browser.screenshot()
            on_option.save(f'zantrel-forced-colours-{width}x{height}.png')  # for a person to look at
            button, expression = browser.js(box, '#Command1', 0), browser.js(box, '#Text2', 0)
            focus = {what: changed(before, after, place) for what, before, after, place in (
                ('option', on_button, on_option, option), ('button', on_option, on_button, button),
                ('expression', on_button, on_expression, expression))}
            # A mark round the control, at least half of its outline.
            outline = {'option': option, 'button': button, 'expression': expression}
            small = {what: (count, round(outline[what][2] - outline[what][0] + outline[what][3] - outline[what][1]))
                     for what, count in focus.items()
                     if count < outline[what][2] - outline[what][0] + outline[what][3] - outline[what][1]}
            check(not small, name + f'the focus hardly shows (pixels changed, half the outline): {small}')
    finally:
        browser.quit()
        site.stop()


def from_disk(browser, site_zip):
    """The zip unpacked and its page opened from disk, as a teacher would; and the note a page
    shows where its script cannot run."""
    name = browser.name + ' from disk: '
    folder = tempfile.mkdtemp(prefix='zantrel-unzipped-')
    with zipfile.ZipFile(site_zip) as archive:
        archive.extractall(folder)
        names = archive.namelist()
    # The zip carries the program's licence and that of the font the page carries.
    check({'index.html', 'sw.js', 'manifest.webmanifest', 'LICENSE', 'OFL.txt'} <= set(names),
          name + f'the zip holds {names}')
    with open(os.path.join(folder, 'OFL.txt'), encoding='utf-8') as file:
        licence = file.read()
    check('SIL OPEN FONT LICENSE Version 1.1' in licence and 'Reserved Font Name Liberation' in licence,
          name + 'OFL.txt is not the font\'s licence with its copyright lines')
    page = os.path.join(folder, 'index.html')
    load(browser, 'file://' + page)
    for turn in range(3):
        right = right_formula(browser)
        browser.click('#Frame1 input', (right + 1) % 9)
        browser.click('#Frame1 input', right)
        check(answer(browser) == 'Правилно!', name + f'{shown(browser)!r}: {answer(browser)!r}')
        browser.click('#Command1')
    note = "const n = document.getElementById('Unsupported'); return getComputedStyle(n).display != 'none' " \
           "&& getComputedStyle(n).visibility == 'visible' && n.getBoundingClientRect().height > 0"
    check(not browser.js(note), name + 'the note is shown beside a working drill')
    console = browser.console()
    check(not console, name + f'console: {console}')
    # A browser that cannot run the script (here: the policy refuses a script that is not the page's own).
    with open(page, encoding='utf-8') as file:
        text = file.read()
    with open(os.path.join(folder, 'broken.html'), 'w', encoding='utf-8') as file:
        file.write(text.replace('<script>', '<script>/* changed */', 1))
    browser.get('file://' + os.path.join(folder, 'broken.html'))
    check(not browser.js(note), name + 'the note is shown at once, before the drill had time to start')
    wait_until(lambda: browser.js(note), name + 'a page that cannot run its script stays blank', timeout=10)
    check(browser.js("return document.getElementById('Unsupported').textContent").startswith('Упражнението не може'),
          name + 'note')
    browser.console()


def update(site_dir):
    """Two copies of the site in two folders of one host, both visited; one is replaced by the next
    version, its files old as an unpacked zip leaves them and the server naming no Cache-Control.
    The learner sees the new version at once or after one reload, never a page of one version with
    the style of another; offline afterwards the new version opens, the other copy still opens, and
    no other cache is gone."""
    browser = chromium()
    month = time.time() - 30 * 24 * 3600
    root = tempfile.mkdtemp(prefix='zantrel-host-')
    for copy in ('math/drill', 'physics/drill'):
        shutil.copytree(site_dir, os.path.join(root, copy))
        for file in os.listdir(os.path.join(root, copy)):
            os.utime(os.path.join(root, copy, file), (month, month))
    host = Server(root)
    math, physics = host.origin + '/math/drill/', host.origin + '/physics/drill/'
    version = "return [document.getElementById('Unsupported').textContent.slice(-4), " \
              "getComputedStyle(document.getElementById('Command1')).backgroundColor]"
    old, new = ['вър.', 'rgb(255, 128, 128)'], ['1.01', 'rgb(255, 128, 129)']
    try:
        for url in (physics, math):
            load(browser, url)
            wait_until(lambda: browser.js('return !!navigator.serviceWorker.controller'), url + ': no service worker')
            check(browser.js(version) == old, f'{url}: {browser.js(version)}')
        browser.js("return caches.open('another application').then(c => c.put('/other', new Response('kept')))")
        ids = [browser.driver.execute_cdp_cmd('Page.getAppId', {})['appId']]
        load(browser, physics)
        ids.append(browser.driver.execute_cdp_cmd('Page.getAppId', {})['appId'])
        check(ids == [math, physics], f'app ids: {ids}')

        # The next version over the first copy: a text of the page, a colour of its style (with the
        # policy's hash of the style to match) and the name of its cache.
        folder = os.path.join(root, 'math/drill')
        with open(os.path.join(folder, 'index.html'), encoding='utf-8') as file:
            page = file.read()
        style = re.search('<style>(.*?)</style>', page, re.S).group(1)
        changed = style.replace('background: rgb(255, 128, 128)', 'background: rgb(255, 128, 129)')
        check(changed != style, 'the button colour was not found in the style')
        hashed = lambda s: 'sha256-' + base64.b64encode(hashlib.sha256(s.encode()).digest()).decode()  # noqa: E731
        page = page.replace(style, changed).replace(hashed(style), hashed(changed))
        page = page.replace('уеб сървър.</p>', 'уеб сървър. 1.01</p>')
        with open(os.path.join(folder, 'index.html'), 'w', encoding='utf-8') as file:
            file.write(page)
        with open(os.path.join(folder, 'sw.js')) as file:
            worker = file.read()
        with open(os.path.join(folder, 'sw.js'), 'w') as file:
            file.write(worker.replace("'1.00'", "'1.01'"))
        for file in os.listdir(folder):
            os.utime(os.path.join(folder, file), (month + 24 * 3600, month + 24 * 3600))

        load(browser, math)
        seen = [browser.js(version)]
        browser.reload()
        wait_until(lambda: browser.js(LOADED), 'the reload did not start')
        seen.append(browser.js(version))
        check(all(v in (old, new) for v in seen) and seen[-1] == new, f'after the update: {seen}')
        math_cache = f'zantrel {math} 1.01'
        wait_until(lambda: browser.js('return caches.keys()').count(math_cache), 'the new version has no cache')
        wait_until(lambda: browser.js("return navigator.serviceWorker.getRegistration().then(r => !!r.active && "
                                      "r.active.state == 'activated' && !r.installing && !r.waiting)"),
                   'the new version did not take over')
        caches = sorted(browser.js('return caches.keys()'))
        check(caches == sorted(['another application', f'zantrel {physics} 1.00', math_cache]), f'caches: {caches}')

        # Offline: the new version from its own cache, and the other copy still there.
        host.stop()
        load(browser, math)
        check(browser.js(version) == new, f'offline after the update: {browser.js(version)}')
        load(browser, physics)
        check(browser.js(version) == old, f'the other copy offline: {browser.js(version)}')
        browser.click('#Frame1 input', right_formula(browser))
        check(answer(browser) == 'Правилно!', 'the other copy offline does not judge')
    finally:
        browser.quit()


def main():
    site_dir, site_zip = sys.argv[1:3]  # run in a session of its own: harness/in_session.sh
    for name, start in BROWSERS.items():
        try:
            browser = start()
        except Exception as error:  # noqa: BLE001 -- the other browsers still run
            check(False, f'{name} did not start: {type(error).__name__}: {error}')
            continue
        try:
            learner_session(browser, site_dir)
            from_disk(browser, site_zip)
            if name == 'WebKit':  # MiniBrowser keeps its window at least 447 px wide
                browser.driver.set_window_rect(0, 0, 360, 740)
                load(browser, Server(site_dir).origin + '/')
                on_phone(browser, f'WebKit at {browser.js("return innerWidth")} px: ')
        except Exception as error:  # noqa: BLE001 -- the other browsers still run
            check(False, f'{name}: {type(error).__name__}: {error}')
        finally:
            browser.quit()
        print(f'{name}: done, {len(failures)} failures so far')
    phones(site_dir)
    forced_colours(site_dir)
    update(site_dir)
    finish('browser')


if __name__ == '__main__':
    main()
