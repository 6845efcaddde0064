#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A blind learner's session with the web edition in Firefox ESR, opened from disk: Orca, the real
screen reader, runs in this session with its default settings, and the learner only presses keys
and only listens. Every check is on what Orca spoke: the formulas' names, every answer at once (the
same answer again too), a new exercise after "Чисти", the expression once in words, and no maths
symbol anywhere. Needs DISPLAY and a D-Bus session bus (in_session.sh --bus)."""
import os
import re
import subprocess
import sys
import tempfile
import time

from Xlib import display

import x11
from report import CAPTIONS, check, finish
from screen_reader import SYMBOLS, Orca, in_symbols, is_expression

RIGHT = 'Правилно!'
COMPARE = 'Сравнете с '
# A fresh profile that opens the page and nothing else.
PREFERENCES = '''user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.tabs.warnOnClose", false);
user_pref("app.update.auto", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
'''


def answers_in(heard):
    return [said for said in heard if said == RIGHT or said.startswith(COMPARE)]


def formulas(heard):
    """The formulas named in what was heard, in symbols without blanks."""
    names = (re.sub(r'\.?\s*((not )?selected( radio button)?|radio button.*|\d+ of \d+)*\.?$', '', said)
             for said in heard if said.startswith('Формула '))
    return [in_symbols(name.removeprefix('Формула ')) for name in names]


def main():
    page = os.path.join(os.path.abspath(sys.argv[1]), 'index.html')
    orca = Orca()
    browser = None
    everything = []

    def after(key, *modifiers, settle=1.5):
        orca.press(key, *modifiers)
        heard = orca.speech(settle=settle)
        everything.extend(heard)
        print(f'{"+".join((*modifiers, key))}: {heard}')
        return heard

    try:
        if not check(orca.wait_until_ready(60), 'Orca did not start'):
            finish('screen reader')
        profile = tempfile.mkdtemp(dir=os.environ['HOME'])
        with open(os.path.join(profile, 'user.js'), 'w') as prefs:
            prefs.write(PREFERENCES)
        browser = subprocess.Popen(['firefox-esr', '--no-remote', '--profile', profile, 'file://' + page],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        d = display.Display()
        window = x11.find_window(d, 60, wm_class='firefox-esr') or x11.find_window(d, 5, wm_class='Firefox-esr')
        if not check(window is not None, 'Firefox did not open'):
            finish('screen reader')
        heard = orca.speech(settle=3.0, seconds=60)
        everything.extend(heard)
        print(f'start: {heard}')

        # Tab to the information box, read in words, then to the formulas.
        heard = after('Tab')
        check(any('В основното образование' in said for said in heard), 'the information box is not read')
        heard = after('Tab')
        check(formulas(heard) == [CAPTIONS[0].replace(' ', '')], 'the first formula is not named in words')
        answers = [answers_in(after('space'))]
        # Focus mode passes the arrows to the page, which chooses and judges each formula.
        after('a', 'Insert')
        for index in range(1, len(CAPTIONS)):
            heard = after('Down')
            check(formulas(heard) == [CAPTIONS[index].replace(' ', '')], f'formula {index} is not named in words, once')
            answers.append(answers_in(heard))
        check(all(len(answer) == 1 for answer in answers), f'not one answer after each choice: {answers}')
        flat = [answer[0] for answer in answers if answer]
        right = [index for index, answer in enumerate(flat) if answer == RIGHT]
        if check(len(right) == 1 and len(flat) == len(CAPTIONS), f'answers: {flat}'):
            check(all(in_symbols(answer.removeprefix(COMPARE)) == CAPTIONS[right[0]].replace(' ', '')
                      for answer in flat if answer != RIGHT), f'a wrong answer names another formula: {flat}')

        heard = after('Tab')
        check(any(said.startswith('Чисти') for said in heard), '"Чисти" is not named')
        heard = after('space')
        new = [said.removeprefix('Нова задача: ') for said in heard if said.startswith('Нова задача: ')]
        check(len(new) == 1 and is_expression(new[0]), f'no new exercise announced in words: {heard}')
        heard = after('Tab')
        spoken = [said for said in (re.sub(r'^Алгебричен израз( read only)? (entry|text)\.?', '', said).strip(' .')
                                    for said in heard) if is_expression(said)]
        check(spoken == [said.strip(' .') for said in new[:1]], f'the expression box does not read the new exercise once: {heard}')

        check(not [said for said in everything if SYMBOLS.search(said)],
              f'maths read as symbols: {[said for said in everything if SYMBOLS.search(said)]}')
    finally:
        if browser is not None:
            browser.terminate()
            try:
                browser.wait(timeout=10)
            except subprocess.TimeoutExpired:
                browser.kill()
        time.sleep(0.5)
        orca.stop()
    finish('screen reader')


if __name__ == '__main__':
    main()
