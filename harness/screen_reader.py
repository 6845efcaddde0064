# SPDX-License-Identifier: MIT
"""A real screen reader for a test: Orca, Debian's, with its default settings and speech only, in the
desktop session the test runs in (in_session.sh --bus). Accessibility is switched on as a blind
learner's desktop has it, and what Orca speaks is read from its debug log, one utterance at a time
(the log is a pseudo-terminal, so each line arrives at once). Keys are pressed on the X server as a
learner presses them."""
import os
import pty
import random
import re
import subprocess
import threading
import time

from Xlib import XK, X, display
from Xlib.ext import xtest

from form import CAPTIONS
from report import check

SPOKEN_START = "SPEECH OUTPUT: '"
# How an utterance ends in the log: its closing quote, then the voice it was spoken with (43 writes
# it straight after the quote, 48 after a blank). An utterance may run over several lines.
SPOKEN_END = re.compile(r"'\s*(\{.*\})?$")
# How the screen reader would read a maths symbol out, rather than a word for it.
SYMBOLS = re.compile(r"[\^*]|\bcaret\b|\bstar\b|\basterisk\b", re.IGNORECASE)


# The words a screen reader hears for the maths, and the symbols they stand for.
WORDS = {'отваряща скоба': '(', 'затваряща скоба': ')', 'на квадрат': '^2', 'на куб': '^3',
         'плюс': '+', 'минус': '-', 'по': '*'}
TOKEN = re.compile('|'.join(WORDS) + r'|[0-9]+|[a-z]')


def in_symbols(spoken):
    """Heard maths written back in symbols without blanks ('отваряща скоба x плюс y затваряща скоба
    на квадрат' is '(x+y)^2'), or None where anything else was heard (a closing full stop aside)."""
    spoken = spoken.strip().removesuffix('.')
    tokens = TOKEN.findall(spoken)
    if not tokens or ' '.join(tokens) != ' '.join(spoken.split()):
        return None
    return ''.join(WORDS.get(token, token) for token in tokens)


def is_expression(spoken):
    """Whether heard words are an exercise: maths over the letters a to h that evaluates."""
    text = in_symbols(spoken)
    if text is None or re.search(r'[i-z]', text):
        return False
    values = {letter: random.randint(2, 9) for letter in 'abcdefgh'}
    try:
        return isinstance(eval(re.sub(r'([0-9a-h)])\^', r'\1**', text), {}, values), int)
    except SyntaxError:
        return False


RIGHT = 'Правилно!'
COMPARE = 'Сравнете с '
NEW = 'Нова задача: '


def expressions(heard):
    """The exercises heard, each without what a text box's reading puts before and after it."""
    bare = (re.sub(r'^Алгебричен израз( read only)? (entry|text)\.?', '', said).strip(' .') for said in heard)
    return [said for said in bare if is_expression(said)]


def formulas(heard):
    """The formulas named in what was heard, in symbols without blanks: an option's name, with or
    without the state that follows it."""
    names = (re.sub(r'\.?\s*((not )?selected( radio button)?)?\.?$', '', said) for said in heard
             if said.startswith('Формула '))
    return [in_symbols(name.removeprefix('Формула ')) for name in names]


def choose_every_formula(after, before_arrows=None):
    """From the first formula, not chosen: Space chooses it, then (after `before_arrows`, where the
    screen reader must be told to pass the arrows on) the arrows reach and choose every other one;
    `after` presses a key and gives what was heard. Each is named in words, once, and its answer is
    heard at once, once: one is right, and the others name it in words."""
    answers = [[said for said in after('space') if said == RIGHT or said.startswith(COMPARE)]]
    if before_arrows:
        before_arrows()
    for index in range(1, len(CAPTIONS)):
        heard = after('Down')
        check(formulas(heard) == [CAPTIONS[index].replace(' ', '')], f'formula {index} is not named in words, once')
        answers.append([said for said in heard if said == RIGHT or said.startswith(COMPARE)])
    check(all(len(answer) == 1 for answer in answers), f'not one answer after each choice: {answers}')
    flat = [answer[0] for answer in answers if answer]
    right = [index for index, answer in enumerate(flat) if answer == RIGHT]
    if check(len(right) == 1 and len(flat) == len(CAPTIONS), f'answers: {flat}'):
        check(all(in_symbols(answer.removeprefix(COMPARE)) == CAPTIONS[right[0]].replace(' ', '')
                  for answer in flat if answer != RIGHT), f'a wrong answer names another formula: {flat}')


def start_new_exercise(after):
    """From the last formula: Tab to "Чисти", Space, and Tab to the expression box. The new exercise
    is announced at once with its expression in words, which the box then reads, once."""
    heard = after('Tab')
    check(any(said.startswith('Чисти') for said in heard), '"Чисти" is not named')
    heard = after('space')
    new = [said.removeprefix(NEW) for said in heard if said.startswith(NEW)]
    check(len(new) == 1 and is_expression(new[0]), f'no new exercise announced in words: {heard}')
    heard = after('Tab')
    check(expressions(heard) == [said.strip(' .') for said in new[:1]],
          f'the expression box does not read the new exercise once: {heard}')


def check_no_symbols(everything):
    """Nothing in the session was read as a maths symbol."""
    symbols = [said for said in everything if SYMBOLS.search(said)]
    check(not symbols, f'maths read as symbols: {symbols}')


def switch_accessibility_on():
    """What a desktop with a screen reader sets in the session's own settings, and what Qt and
    Firefox read besides."""
    for schema, key in (('interface', 'toolkit-accessibility'), ('a11y.applications', 'screen-reader-enabled')):
        subprocess.run(['gsettings', 'set', 'org.gnome.desktop.' + schema, key, 'true'], check=False)
    os.environ.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', GNOME_ACCESSIBILITY='1')


def start_speech_server():
    """speech-dispatcher with its silent dummy voice, which still takes every text Orca sends. The
    dummy voice opens a sound device: ALSA's null device, as the session has no sound."""
    home = os.environ['HOME']
    config = os.path.join(os.environ.get('XDG_CONFIG_HOME', os.path.join(home, '.config')),
                          'speech-dispatcher')
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(home, '.asoundrc'), 'w') as asoundrc:
        asoundrc.write('pcm.!default { type null }\n')
    with open(os.path.join(config, 'speechd.conf'), 'w') as conf:
        conf.write('AudioOutputMethod "alsa"\n'
                   'AddModule "dummy" "sd_dummy" "/etc/speech-dispatcher/modules/dummy.conf"\n'
                   'DefaultModule dummy\n')
    server = subprocess.Popen(['speech-dispatcher', '--run-single', '--timeout', '0'],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    socket = os.path.join(os.environ['XDG_RUNTIME_DIR'], 'speech-dispatcher', 'speechd.sock')
    for _ in range(100):
        if os.path.exists(socket):
            return server
        time.sleep(0.1)
    raise RuntimeError('speech-dispatcher did not start')


class Orca:
    """Orca running in this session; speech() gives what it has spoken since the last call."""

    def __init__(self):
        switch_accessibility_on()
        self.speech_server = start_speech_server()
        self.lines = []
        self.log = []
        self.everything = []  # all that after() heard
        self.lock = threading.Lock()
        master, slave = pty.openpty()
        self.master = master
        # Orca writes its debug log line by line to a terminal; the log is read as it comes.
        self.process = subprocess.Popen(
            ['orca', '--disable', 'braille', '--disable', 'braille-monitor', '--debug-file',
             os.ttyname(slave)],
            stdin=subprocess.DEVNULL)
        # Kept open here too: a terminal whose every end is closed reads as an error.
        self.slave = slave
        threading.Thread(target=self._read, daemon=True).start()
        self.display = display.Display()
        # A key is pressed once, however long a busy machine holds it down.
        self.display.change_keyboard_control(auto_repeat_mode=X.AutoRepeatModeOff)
        self.display.sync()

    def _read(self):
        pending = b''
        utterance = None
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b'\n')
            with self.lock:
                for line in complete:
                    text = line.decode('utf-8', 'replace').rstrip('\r')
                    self.log.append(text)
                    if utterance is None and SPOKEN_START in text:
                        utterance, text = '', text.split(SPOKEN_START, 1)[1]
                    elif utterance is not None:
                        utterance, text = utterance + '\n', text.lstrip()  # the log indents it
                    if utterance is None:
                        continue
                    end = SPOKEN_END.search(text)
                    utterance += text[:end.start()] if end else text
                    if end:
                        # A zero-width space is not heard.
                        self.lines.append(utterance.replace('\u200b', '').strip())
                        utterance = None

    def wait_until_ready(self, seconds=30):
        """Whether Orca said it is running within that time."""
        end = time.time() + seconds
        while time.time() < end:
            with self.lock:
                if any('Screen reader on' in said for said in self.lines):
                    return True
            time.sleep(0.05)
        return False

    def speech(self, settle=1.5, seconds=6.0):
        """What Orca spoke after the last call, once it has been quiet for `settle` seconds."""
        end = time.time() + seconds
        count = -1
        quiet_since = time.time()
        while time.time() < end:
            with self.lock:
                if len(self.lines) != count:
                    count = len(self.lines)
                    quiet_since = time.time()
            if count > 0 and time.time() - quiet_since >= settle:
                break
            time.sleep(0.05)
        with self.lock:
            taken, self.lines = self.lines, []
        return taken

    def after(self, key, *modifiers):
        """Presses a key and gives what Orca spoke after it, which it also prints."""
        self.press(key, *modifiers)
        heard = self.speech()
        self.everything.extend(heard)
        print(f'{"+".join((*modifiers, key))}: {heard}')
        return heard

    def press(self, key, *modifiers):
        """Presses a key as a learner does, with modifiers held ('Shift_L', 'Insert' …)."""
        d = self.display
        codes = [d.keysym_to_keycode(XK.string_to_keysym(name)) for name in (*modifiers, key)]
        for code in codes:
            xtest.fake_input(d, X.KeyPress, code)
            d.sync()
            time.sleep(0.03)
        for code in reversed(codes):
            xtest.fake_input(d, X.KeyRelease, code)
            d.sync()
            time.sleep(0.03)

    def stop(self):
        """Ends Orca; its whole debug log goes to $ZANTREL_ORCA_LOG where that is set."""
        if os.environ.get('ZANTREL_ORCA_LOG'):
            with self.lock, open(os.environ['ZANTREL_ORCA_LOG'], 'w') as log:
                log.write('\n'.join(self.log))
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.speech_server.terminate()
        self.speech_server.wait()
