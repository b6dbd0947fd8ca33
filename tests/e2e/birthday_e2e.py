#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A friend's birthday two weeks ahead, with the two-week notice chosen: the
real clock shows the notice at start, titled with the friend's name; the
notice's flag is cleared in alarms.lst by the automatic save and again by the
exit, and the next start shows no notice.

A lunar birthday (Lunar=1) of someone born on 1990-01-27, the lunar New Year,
comes on 2027-02-06: started on 2027-01-30 (by libfaketime, in the clock
alone) the clock shows its two-week notice, and none for a Gregorian
birthday on the same date, whose 27 January has passed.

Usage: /usr/bin/python3 birthday_e2e.py PATH/TO/clock
"""

import datetime
import os
import sys
import time

sys.dont_write_bytecode = True  # the imports below leave no cache in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import e2e_main, faketime_env, fail, find_window, stop_clock, wait_until  # noqa: E402

NAME = '小明'
NOTICE_TITLE = f'^你朋友{NAME}的生日$'

BIRTHDAY = '''[Birthday{number:05d}]\r
BornDate={born}\r
FriendName={name}\r
Sex=0\r
Blood=0\r
Year=马\r
Age={age}\r
Sign={sign}\r
TwoWeeks=1\r
OneWeeks=0\r
OneDay=0\r
Note=\r
'''

LUNAR_NAME = '阿农'
PLAIN_NAME = '阿阳'


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


def run_both(harness, clock):
    run(harness, clock)
    run_lunar(harness, clock)


def run(harness, clock):
    home = harness.path('home')
    os.makedirs(home)
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write('[Common]\r\nNumofBirthday=1\r\n')
        out.write(BIRTHDAY.format(number=0, born=born_seconds(), name=NAME, age=29, sign='白羊'))

    display = harness.xvfb()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)

    process = harness.start([clock, '--home', home], 'clock-1.log', env)
    wait_until(lambda: find_window(env, NOTICE_TITLE), timeout=15, what='the birthday notice')
    # The tick cleared the flag; the automatic save writes it about a second later.
    wait_until(lambda: 'TwoWeeks=0' in birthday_section(home), timeout=10, what='the automatic save of the flag')
    stop_clock(harness, process)
    section = birthday_section(home)
    if 'TwoWeeks=0' not in section or f'FriendName={NAME}' not in section:
        fail(f'the exit did not keep the birthday with its flag cleared:\n{section}')

    process = harness.start([clock, '--home', home], 'clock-2.log', env)
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock window')
    time.sleep(3)  # a few ticks
    if find_window(env, NOTICE_TITLE):
        fail('the notice showed again at the next start')
    stop_clock(harness, process)


def run_lunar(harness, clock):
    home = harness.path('lunar-home')
    os.makedirs(home)
    born = int(time.mktime(datetime.date(1990, 1, 27).timetuple()))
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write('[Common]\r\nNumofBirthday=2\r\n')
        out.write(BIRTHDAY.format(number=0, born=born, name=PLAIN_NAME, age=36, sign='水瓶'))
        out.write(BIRTHDAY.format(number=1, born=born, name=LUNAR_NAME, age=36, sign='水瓶') + 'Lunar=1\r\n')

    display = harness.xvfb()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=harness.path('lunar-runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    start = int(time.mktime(datetime.datetime(2027, 1, 30, 10, 0, 0).timetuple()))
    offset = start - int(time.time())

    process = harness.start([clock, '--home', home], 'clock-lunar.log', faketime_env(env, offset))
    wait_until(lambda: find_window(env, f'^你朋友{LUNAR_NAME}的生日$'), timeout=15, what='the lunar birthday notice')
    time.sleep(2)  # a few ticks more
    if find_window(env, f'^你朋友{PLAIN_NAME}的生日$'):
        fail('the Gregorian birthday of 27 January, passed already, showed a notice')
    stop_clock(harness, process)
    text = open(os.path.join(home, 'alarms.lst'), encoding='utf-8', errors='replace').read()
    lunar_section = text[text.find('[Birthday00001]'):]
    if 'TwoWeeks=0' not in lunar_section or 'Lunar=1' not in lunar_section:
        fail(f'the exit did not keep the lunar birthday with its flag cleared:\n{lunar_section}')


if __name__ == '__main__':
    e2e_main('birthday', run_both)
