#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A blind learner's session with the web edition in Firefox ESR, opened from disk: Orca, the real
screen reader, runs in this session with its default settings, and the learner only presses keys
and only listens. Every check is on what Orca spoke: the formulas' names, every answer at once (the
same answer again too), a new exercise after "Чисти", the expression once in words, and no maths
symbol anywhere. Needs DISPLAY and a D-Bus session bus (in_session.sh --bus)."""
import os
import subprocess
import sys
import tempfile
import time

from Xlib import display

import x11
from report import check, finish
from screen_reader import CAPTIONS, Orca, check_no_symbols, choose_every_formula, formulas, start_new_exercise

# A fresh profile that opens the page and nothing else.
PREFERENCES = '''user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.tabs.warnOnClose", false);
user_pref("browser.newtab.preload", false);
user_pref("app.update.auto", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
'''


def main():
    page = os.path.join(os.path.abspath(sys.argv[1]), 'index.html')
    orca = Orca()
    after = orca.after
    browser = None

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
        orca.everything.extend(heard)
        print(f'start: {heard}')

        # Tab to the information box, read in words, then to the formulas.
        heard = after('Tab')
        check(any('В основното образование' in said for said in heard), 'the information box is not read')
        heard = after('Tab')
        check(formulas(heard) == [CAPTIONS[0].replace(' ', '')], 'the first formula is not named in words')
        # Space chooses in browse mode; focus mode (Orca+A) passes the arrows to the page.
        choose_every_formula(after, lambda: after('a', 'Insert'))
        start_new_exercise(after)
        check_no_symbols(orca.everything)
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
