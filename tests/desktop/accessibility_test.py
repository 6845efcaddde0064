#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads the window through the real accessibility bus (AT-SPI), as a screen reader does: the
names of the visible controls, the expression box's spoken description, and the feedback after
each option is chosen through the screen reader's own action. Needs DISPLAY and a D-Bus session
bus (dbus-run-session)."""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from report import CAPTIONS, check, finish

CYRILLIC = re.compile('[\u0400-\u04ff]')


def pump_until(condition, seconds=5.0):
    """Runs the event loop until the condition holds or the time is up; says which."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        if condition():
            return True
        time.sleep(0.01)
    return False


def find_all(node, predicate, found=None):
    found = [] if found is None else found
    if predicate(node):
        found.append(node)
    for child in node:
        if child is not None:
            find_all(child, predicate, found)
    return found


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def text_of(node):
    return node.queryText().getText(0, -1)


def spoken_matches(text, spoken):
    """The description says in words what the text says in symbols, piece for piece."""
    pieces = [('^2', 'на квадрат'), ('^3', 'на куб'), ('*', ' по '), ('+', 'плюс'), ('-', 'минус'),
              ('(', 'отваряща скоба'), (')', 'затваряща скоба')]
    padded = ' ' + spoken + ' '
    same_counts = all(text.count(symbol) == padded.count(word) for symbol, word in pieces)
    same_terms = re.findall(r'[0-9]+|[a-h]', re.sub(r'\^[0-9]', '', text)) == \
        re.findall(r'\b(?:[0-9]+|[a-h])\b', re.sub(r'на (квадрат|куб)', '', spoken))
    return same_counts and same_terms and not re.search(r'[\^*()+]', spoken)


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb')
    program = subprocess.Popen([sys.argv[1]], env=env)
    events = []
    registry = pyatspi.Registry

    def remember(event):
        try:
            events.append((event.type, event.source.name, event.any_data))
        except Exception:  # the source went away
            pass

    registry.registerEventListener(remember, 'object:text-changed:insert',
                                   'object:property-change:accessible-description')
    app = None
    for _ in range(200):
        app = next((a for a in registry.getDesktop(0) if a is not None and a.name == 'zantrel'), None)
        if app is not None and app.childCount > 0:
            break
        time.sleep(0.05)
    if app is None:
        program.kill()
        sys.exit('the program did not appear on the accessibility bus')
    try:
        window = app[0]
        check(window.name == 'Математика - умножение на многочлени', 'window name: ' + window.name)

        # Every visible control has a Bulgarian name.
        controls = [c for c in window if showing(c)]
        options = sorted(find_all(window, lambda n: n.getRole() == pyatspi.ROLE_RADIO_BUTTON),
                         key=lambda n: n.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)[1])
        for control in controls + options:
            check(CYRILLIC.search(control.name or ''), f'{control.getRoleName()} has no Bulgarian name: {control.name!r}')
        # Roles, not their display names (AT-SPI renamed 'push button' to 'button'). The borderless
        # group of options is a panel from Qt 6.8 on, a frame before.
        groups = [c for c in controls if c.getRole() in (pyatspi.ROLE_PANEL, pyatspi.ROLE_FRAME)]
        others = sorted(int(c.getRole()) for c in controls if c not in groups)
        expected = sorted(int(r) for r in (pyatspi.ROLE_LABEL, pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON,
                                           pyatspi.ROLE_TEXT, pyatspi.ROLE_TEXT))
        check(len(groups) == 1 and others == expected,
              'visible controls: ' + ', '.join(c.getRoleName() for c in controls))
        check(len(options) == 9, f'{len(options)} options')
        hidden = [c for c in window if not showing(c)]
        check(len(hidden) == 3, f'{len(hidden)} hidden controls')

        expression = next(c for c in controls if c.name == 'Алгебричен израз')
        feedback = next(c for c in controls if c.name == 'Пояснение и отговор')
        button = next(c for c in controls if c.getRole() == pyatspi.ROLE_PUSH_BUTTON)
        check(button.name == 'Чисти', 'button name: ' + button.name)
        check(spoken_matches(text_of(expression), expression.description),
              f'spoken description {expression.description!r} of {text_of(expression)!r}')
        check(text_of(feedback).startswith('В основното образование'), 'no description at start')

        for exercise in range(3):
            answers = []
            for index, option in enumerate(options):
                events.clear()
                action = option.queryAction()
                toggle = next(i for i in range(action.nActions) if action.getName(i) == 'Toggle')
                action.doAction(toggle)

                def answered():
                    answer = text_of(feedback)
                    return (option.getState().contains(pyatspi.STATE_CHECKED) and option.description == answer and
                            (answer == 'Правилно!' or answer.startswith('Сравнете с ')) and
                            any(e[1] == 'Пояснение и отговор' and e[2] == answer for e in events))
                check(pump_until(answered), f'option {index}: no answer announced by the feedback box')
                answer = text_of(feedback)
                answers.append(answer)
                check(option.description == answer, f'chosen option does not carry {answer!r}')
            right = [i for i, a in enumerate(answers) if a == 'Правилно!']
            check(len(right) == 1, f'right answers: {answers}')
            if len(right) == 1:
                compare = 'Сравнете с ' + CAPTIONS[right[0]]
                check(all(a == compare for i, a in enumerate(answers) if i != right[0]), f'answers: {answers}')
            shown, spoken = text_of(expression), expression.description
            button.queryAction().doAction(0)
            check(pump_until(lambda: text_of(feedback) == '' and expression.description != spoken),
                  'feedback not emptied, or no new exercise, after the button')
            check(spoken_matches(text_of(expression), expression.description),
                  f'spoken description {expression.description!r} of {text_of(expression)!r}')
            print(f'exercise {exercise + 1}: {shown!r} read as {spoken!r}; right: '
                  f'{CAPTIONS[right[0]] if right else None}')
    finally:
        program.terminate()
        program.wait(timeout=10)
    finish('accessibility')


if __name__ == '__main__':
    main()
