# SPDX-License-Identifier: MIT
"""What the Python tests share for their verdicts: checks that note a failure and go on, and the
closing report."""
import sys

failures = []


def check(condition, message):
    """Notes a failure, says it at once, and goes on."""
    if not condition:
        failures.append(message)
        print('FAIL: ' + message)
    return bool(condition)


def finish(what):
    """Says how many checks failed and ends the test: exit code 1 when any did."""
    print(f'{len(failures)} {what} failures')
    sys.exit(1 if failures else 0)
