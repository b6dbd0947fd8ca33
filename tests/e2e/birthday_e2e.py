#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A friend's birthday two weeks ahead, with the two-week notice chosen: the
real clock shows the notice at start, titled with the friend's name; the
notice's flag is cleared in alarms.lst by the automatic save and again by the
exit, and the next start shows no notice.

Usage: /usr/bin/python3 birthday_e2e.py PATH/TO/clock
"""

import datetime
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import e2e_main, fail, find_window, stop_clock, wait_until  # noqa: E402

NAME = '小明'
NOTICE_TITLE = f'^你朋友{NAME}的生日$'

BIRTHDAY = '''[Common]\r
NumofBirthday=1\r
[Birthday00000]\r
BornDate={born}\r
FriendName={name}\r
Sex=0\r
Blood=0\r
Year=马\r
Age=29\r
Sign=白羊\r
TwoWeeks=1\r
OneWeeks=0\r
OneDay=0\r
Note=\r
'''


def birthday_section(home):
    with open(os.path.join(home, 'alarms.lst'), encoding='utf-8', errors='replace') as file:
        text = file.read()
    start = text.find('[Birthday00000]')
    return text[start:] if start >= 0 else ''


def born_seconds():
    """Midnight, local time, of a birth date whose birthday is 14 days from today."""
    birthday = datetime.date.today() + datetime.timedelta(days=14)
    if (birthday.month, birthday.day) == (2, 29):
        birthday -= datetime.timedelta(days=1)  # still within the two weeks
    born = birthday.replace(year=birthday.year - 30)
    return int(time.mktime(born.timetuple()))


def run(harness, clock):
    home = harness.path('home')
    os.makedirs(home)
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write(BIRTHDAY.format(born=born_seconds(), name=NAME))

    display = harness.xvfb()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)

    process = harness.start([clock, '--home', home], 'clock-1.log', env)
    wait_until(lambda: find_window(env, NOTICE_TITLE), timeout=15, what='the birthday notice')
    # The tick cleared the flag; the automatic save writes it about a second later.
    wait_until(lambda: 'TwoWeeks=0' in birthday_section(home), timeout=5, what='the automatic save of the flag')
    stop_clock(harness, process)
    section = birthday_section(home)
    if 'TwoWeeks=0' not in section or f'FriendName={NAME}' not in section:
        fail(f'the exit did not keep the birthday with its flag cleared:\n{section}')

    process = harness.start([clock, '--home', home], 'clock-2.log', env)
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock window')
    time.sleep(3)  # a few ticks
    if find_window(env, NOTICE_TITLE):
        fail('the notice showed again at the next start')
    process.terminate()
    process.wait(10)


if __name__ == '__main__':
    e2e_main('birthday', run)
