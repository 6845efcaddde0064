#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A blind learner's session with the window: Orca, the real screen reader, runs in this session
with its default settings, and the learner only presses keys and only listens. Every check is on
what Orca spoke: the description's formulas, the expression (once, in words), each formula's name,
every answer at once (the same answer again too), a new exercise after "Чисти", and no maths symbol
and no hidden control anywhere. Needs DISPLAY and a D-Bus session bus (in_session.sh --bus)."""
import os
import re
import subprocess
import sys

from Xlib import X, display

import x11
from report import CAPTIONS, check, finish
from screen_reader import SYMBOLS, Orca, in_symbols, is_expression

RIGHT = 'Правилно!'
COMPARE = 'Сравнете с '


def expressions(heard):
    return [said.strip(' .') for said in heard if is_expression(said)]


def formulas(heard):
    """The formulas named in what was heard, in symbols without blanks: an option's name, with or
    without the state that follows it."""
    names = (re.sub(r'\.?\s*((not )?selected( radio button)?)?\.?$', '', said) for said in heard
             if said.startswith('Формула '))
    return [in_symbols(name.removeprefix('Формула ')) for name in names]


def main():
    orca = Orca()
    program = None
    everything = []

    def after(key, *modifiers):
        orca.press(key, *modifiers)
        heard = orca.speech()
        everything.extend(heard)
        print(f'{"+".join((*modifiers, key))}: {heard}')
        return heard

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
        everything.extend(heard)
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
        answers = [[said for said in after('space') if said == RIGHT or said.startswith(COMPARE)]]
        # The arrows reach and choose every other formula; each answer is spoken at once, once.
        for index in range(1, len(CAPTIONS)):
            heard = after('Down')
            check(formulas(heard) == [CAPTIONS[index].replace(' ', '')],
                  f'formula {index} is not named in words, once')
            answers.append([said for said in heard if said == RIGHT or said.startswith(COMPARE)])
        check(all(len(answer) == 1 for answer in answers), f'not one answer after each choice: {answers}')
        flat = [answer[0] for answer in answers if answer]
        right = [index for index, answer in enumerate(flat) if answer == RIGHT]
        if check(len(right) == 1 and len(flat) == len(CAPTIONS), f'answers: {flat}'):
            check(all(in_symbols(answer.removeprefix(COMPARE)) == CAPTIONS[right[0]].replace(' ', '')
                      for answer in flat if answer != RIGHT), f'a wrong answer names another formula: {flat}')

        # "Чисти": a new exercise is announced at once with its expression in words, which the
        # expression box then reads the same.
        heard = after('Tab')
        check(any(said.startswith('Чисти') for said in heard), '"Чисти" is not named')
        heard = after('space')
        new = [said.removeprefix('Нова задача: ') for said in heard if said.startswith('Нова задача: ')]
        check(len(new) == 1 and is_expression(new[0]), f'no new exercise announced in words: {heard}')
        heard = after('Tab')
        check(expressions(heard) == [said.strip(' .') for said in new[:1]],
              f'the expression box does not read the new exercise once: {heard}')
        # The information box was emptied: no answer left in it.
        heard = after('Tab')
        check(any('Пояснение и отговор' in said for said in heard) and
              not any(RIGHT in said or COMPARE in said for said in heard), f'an old answer is read: {heard}')

        check(not [said for said in everything if SYMBOLS.search(said)],
              f'maths read as symbols: {[said for said in everything if SYMBOLS.search(said)]}')
        check(not any('Неприятното' in said for said in everything), 'a hidden text box was read')
    finally:
        if program is not None:
            program.terminate()
            program.wait(timeout=10)
        orca.stop()
    finish('screen reader')


if __name__ == '__main__':
    main()
