# SPDX-License-Identifier: MIT
"""For a script that needs a desktop session of its own (in_session.sh): it runs itself again inside
one, unless it already is in one."""
import os
import sys


def run_in_own_session(*options):
    """Starts this script anew under in_session.sh OPTIONS; returns at once when already there."""
    if os.environ.get('ZANTREL_SESSION'):
        return
    in_session = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'in_session.sh')
    os.execv(in_session, [in_session, *options, '--', sys.executable, *sys.argv])
