#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A blind learner's session with the window: Orca, the real screen reader, runs in this session
with its default settings, and the learner only presses keys and only listens. Every check is on
what Orca spoke: the description's formulas, the expression (once, in words), each formula's name,
every answer at once (the same answer again too), a new exercise after "Чисти", and no maths symbol
and no hidden control anywhere. Needs DISPLAY and a D-Bus session bus (in_session.sh --bus)."""
import os
import subprocess
import sys

from Xlib import X, display

import x11
from form import CAPTIONS
from report import check, finish
from screen_reader import (COMPARE, RIGHT, Orca, check_no_symbols, choose_every_formula, expressions, formulas,
                           in_symbols, start_new_exercise)


def main():
    orca = Orca()
    after = orca.after
    program = None

    try:
        if not check(orca.wait_until_ready(60), 'Orca did not start'):
            finish('screen reader')
        program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_QPA_PLATFORM='xcb'))
        d = display.Display()
        window = x11.find_window(d, 20)
        if not check(window is not None, 'the window did not open'):
            finish('screen reader')
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        d.sync()
        heard = orca.speech(settle=2.0, seconds=20)
        orca.everything.extend(heard)
        print(f'start: {heard}')
        check('Пояснение и отговор read only text.' in heard and
              any(said.startswith('В основното образование') for said in heard),
              'the information box and its first line are not read at the start')

        # The description's last line, a formula, in words.
        after('End', 'Control_L')
        heard = after('Up')
        check(any(in_symbols(said) == 'a^3-b^3' for said in heard), 'the last formula is not read in words')

        # Back to the expression box: its name, and the expression once, in words.
        heard = after('Tab', 'Shift_L')
        check(any('Алгебричен израз' in said for said in heard) and len(expressions(heard)) == 1,
              'the expression is not read once, in words, with its box')

        # To the formulas: the first one's name in words, not chosen; Space chooses it.
        after('Tab', 'Shift_L')
        heard = after('Tab', 'Shift_L')
        check(formulas(heard) == [CAPTIONS[0].replace(' ', '')] and
              any('not selected' in said for said in heard),
              'the first formula is not named in words, not chosen')
        choose_every_formula(after)
        start_new_exercise(after)
        # The information box was emptied: no answer left in it.
        heard = after('Tab')
        check(any('Пояснение и отговор' in said for said in heard) and
              not any(RIGHT in said or COMPARE in said for said in heard), f'an old answer is read: {heard}')

        check_no_symbols(orca.everything)
        check(not any('Неприятното' in said for said in orca.everything), 'a hidden text box was read')
    finally:
        if program is not None:
            program.terminate()
            program.wait(timeout=10)
        orca.stop()
    finish('screen reader')


if __name__ == '__main__':
    main()
