#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the program under strace on the X server named by DISPLAY: start-up, a hundred clicks on
the options and on "Чисти", then the window's close request, as a window manager sends it. Fails
on any file the program creates or opens for writing outside the platform's caches, on any
network socket, on any local socket other than the display's and the desktop buses', and on any
other program it starts (a bus daemon, say). With --no-runtime-folder the session names no runtime
folder (XDG_RUNTIME_DIR unset, as after su or in a bare startx).

    no_writes_test.py PROGRAM [--no-runtime-folder]"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import display

from x11 import click, find_window, origin, region, request_close

WRITE_FLAGS = re.compile(r'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND')
PATH_CALLS = {'creat', 'mkdir', 'mkdirat', 'rename', 'renameat', 'renameat2', 'link', 'linkat',
              'symlink', 'symlinkat', 'unlink', 'unlinkat', 'truncate'}
CALL = re.compile(r'^(\w+)\((.*)\)\s+=\s+(-?\d+)')
QUOTED = re.compile(r'"((?:[^"\\]|\\.)*)"')


def findings(log_dir, allowed_write_roots, allowed_sockets):
    problems = []
    programs_started = 0
    for name in sorted(os.listdir(log_dir)):
        with open(os.path.join(log_dir, name), encoding='utf-8', errors='replace') as log:
            for line in log:
                match = CALL.match(line.strip())
                if not match or int(match.group(3)) < 0:
                    continue
                call, args = match.group(1), match.group(2)
                if call in ('execve', 'execveat'):
                    programs_started += 1
                    if programs_started > 1:  # the first is the program itself
                        problems.append(line.strip())
                    continue
                paths = [bytes(p, 'utf-8').decode('unicode_escape') for p in QUOTED.findall(args)]
                if call in ('open', 'openat', 'openat2') and WRITE_FLAGS.search(args):
                    written = paths[:1]
                elif call in PATH_CALLS:
                    written = paths
                elif call == 'socket':
                    if not args.startswith(('AF_UNIX', 'AF_LOCAL')):
                        problems.append(line.strip())
                    continue
                elif call == 'connect' and 'sun_path=' in args:
                    if not any(s in args for s in allowed_sockets):
                        problems.append(line.strip())
                    continue
                elif call in ('connect', 'bind'):
                    problems.append(line.strip())
                    continue
                else:
                    continue
                for path in written:
                    real = os.path.realpath(path)
                    if path != '/dev/null' and not any(real.startswith(root) for root in allowed_write_roots):
                        problems.append(line.strip())
    return problems


def main():
    program = os.path.abspath(sys.argv[1])
    runtime_folder = '--no-runtime-folder' not in sys.argv[2:]
    # The session's own home, folders and display (harness/in_session.sh).
    if 'XDG_CACHE_HOME' not in os.environ or 'DISPLAY' not in os.environ:
        sys.exit('no session of its own: run under harness/in_session.sh')
    work = tempfile.mkdtemp(prefix='zantrel-writes-')
    env = dict(os.environ)
    if not runtime_folder:
        env.pop('XDG_RUNTIME_DIR', None)
    env['QT_QPA_PLATFORM'] = 'xcb'
    logs = os.path.join(work, 'strace')
    os.makedirs(logs)
    traced = ['execve', 'execveat', 'open', 'openat', 'openat2', 'socket', 'connect', 'bind'] + sorted(PATH_CALLS)
    process = subprocess.Popen(['strace', '-f', '-ff', '-qq', '-e', 'signal=none', '-e',
                                'trace=' + ','.join(traced), '-o', os.path.join(logs, 'trace'), program],
                               env=env, cwd=work)

    d = display.Display()
    window = find_window(d, 30)
    if window is None:
        process.kill()
        sys.exit('no window appeared')
    time.sleep(0.3)
    left, top = origin(d, window)

    # Fifty answers and fifty new exercises; each new exercise changes the expression box.
    changed = 0
    for turn in range(50):
        click(d, left + 167, top + 56 + 20 * (turn % 9) + 10)
        before = region(window, 8, 240, 449, 41)
        click(d, left + 364, top + 220)
        deadline = time.time() + 1.0
        while region(window, 8, 240, 449, 41) == before and time.time() < deadline:
            time.sleep(0.01)
        changed += region(window, 8, 240, 449, 41) != before

    request_close(d, window)
    try:
        code = process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
        sys.exit('the program did not close on the close request')

    display_number = os.environ['DISPLAY'].split(':')[1].split('.')[0]
    # The display and, where the session has a bus, the desktop buses that accessibility speaks
    # over. Without a session bus the program must not look for one, nor start one.
    allowed_sockets = ['/tmp/.X11-unix/X' + display_number]
    if 'DBUS_SESSION_BUS_ADDRESS' in env:
        allowed_sockets += ['/run/dbus/system_bus_socket', '/dbus-', '/at-spi/', env['XDG_RUNTIME_DIR'] + '/bus']
    problems = findings(logs, [env['XDG_CACHE_HOME'] + '/'], allowed_sockets)
    bus = 'a session bus' if 'DBUS_SESSION_BUS_ADDRESS' in env else 'no session bus'
    bus += '' if runtime_folder else ' and no runtime folder'
    print(f'no-writes with {bus}: exit code {code}; {changed} of 50 new exercises changed the expression box; '
          f'{len(problems)} findings')
    for problem in problems:
        print('  ' + problem)
    if code != 0 or changed < 40 or problems:
        sys.exit(1)
    shutil.rmtree(work)


if __name__ == '__main__':
    main()
