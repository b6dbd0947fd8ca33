#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real clock shows what it missed and can be scripted:
- a once task that fell due between the last run and this start is listed
  in "错过的提醒" with its due time;
- `clock --add` starts the clock when it is not running, the reminder fires
  at its time, `clock --list` and `busctl --user call` list it, bad input is
  refused with a non-zero status, and `clock --quit` ends the clock;
- a PrepareForSleep(true)/(false) pair from the mock logind around a clock
  jump of two minutes lists the reminder that fell due in between.

Runs under a private X server with private system and session buses; the
logind mock lives on the private system bus.

Usage: /usr/bin/python3 scripting_e2e.py PATH/TO/clock
"""

import datetime
import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import (TASK, Harness, faketime_library, fail, find_window, isolate_from_real_buses,  # noqa: E402
                     stop_clock, stop_on_signals, wait_until)

LOGIND = 'org.freedesktop.login1'
LOGIND_PATH = '/org/freedesktop/login1'
MOCK = 'org.freedesktop.DBus.Mock'
STAMP = '%Y-%m-%d %H:%M:%S'

def write_tasks(home, tasks):
    day = datetime.date.today().strftime('%Y-%m-%d')
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write(f'[Common]\r\nNumofAlarms={len(tasks)}\r\n')
        for number, (description, due) in enumerate(tasks):
            out.write(TASK.format(number=number, due=due.strftime(STAMP), day=day, description=description,
                                  message=description, sound='', mode=0, option=0, countdown=30, path=''))


def set_last_running(home, moment):
    path = os.path.join(home, 'CONFIG.INI')
    with open(path, encoding='utf-8', newline='') as file:
        text = file.read()
    if not re.search(r'^LastRunning=', text, re.M):
        fail('the clock did not store when it last ran')
    text = re.sub(r'^LastRunning=[^\r\n]*', 'LastRunning=' + moment.strftime(STAMP), text, flags=re.M)
    with open(path, 'w', encoding='utf-8', newline='') as file:
        file.write(text)


def log_text(harness, name):
    with open(harness.path(name), encoding='utf-8', errors='replace') as file:
        return file.read()


def clock_pid(session):
    daemon = session.connection.get_object('org.freedesktop.DBus', '/org/freedesktop/DBus')
    return int(daemon.GetConnectionUnixProcessID('org.tockly.Clock', dbus_interface='org.freedesktop.DBus'))


def cli(clock, env, *args):
    return subprocess.run([clock, *args], env=env, capture_output=True, text=True, timeout=60, check=False)


def main():
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit('usage: scripting_e2e.py PATH/TO/clock')
    clock = os.path.abspath(sys.argv[1])
    isolate_from_real_buses()
    stop_on_signals()
    harness = Harness('tockly-e2e-scripting-')
    session = None
    try:
        session = harness.private_bus('session')
        run(harness, clock, session)
    finally:
        # A clock that --add started is no child of ours: end it by the pid
        # its bus name gives.
        if session and session.connection.name_has_owner('org.tockly.Clock'):
            os.kill(clock_pid(session), signal.SIGTERM)
        harness.close()
    print('PASS')


def run(harness, clock, session):
    display = harness.xvfb()
    system = harness.private_bus('system')
    harness.mock(system, ['--system', '--template', 'logind'], LOGIND, 'logind.log')
    logind = system.connection.get_object(LOGIND, LOGIND_PATH)

    home = harness.path('home')
    os.makedirs(home)
    env = dict(os.environ, DISPLAY=display, DBUS_SYSTEM_BUS_ADDRESS=system.address,
               DBUS_SESSION_BUS_ADDRESS=session.address, XDG_RUNTIME_DIR=harness.path('runtime'),
               QT_LOGGING_RULES='tockly.missed.debug=true\ntockly.platform.sleep.debug=true')
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    if not (system.is_ours() and session.is_ours()):
        sys.exit('scripting_e2e.py: refusing to run: the buses are not the private ones')

    missed_since_last_run(harness, clock, home, env)
    scripted(harness, clock, home, env, session)
    missed_in_sleep(harness, clock, home, env, logind)


def start_clock(harness, clock, home, env, log):
    process = harness.start([clock, '--home', home], log, env)
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock window')
    return process


def missed_since_last_run(harness, clock, home, env):
    # A first run reports nothing and stores when it ran.
    stop_clock(harness, start_clock(harness, clock, home, env, 'first.log'))
    now = datetime.datetime.now().replace(microsecond=0)
    due = now - datetime.timedelta(hours=1)
    set_last_running(home, now - datetime.timedelta(hours=2))
    write_tasks(home, [('周会', due), ('更早', now - datetime.timedelta(hours=3))])

    process = start_clock(harness, clock, home, env, 'second.log')
    wait_until(lambda: find_window(env, '^错过的提醒$'), what='the missed reminders window')
    log = log_text(harness, 'second.log')
    if f'Listed as missed: {due.strftime(STAMP)} 周会' not in log:
        fail(f'the missed reminder is not listed with its due time:\n{log}')
    if '更早' in log:
        fail('a reminder due before the last run was listed as missed')
    stop_clock(harness, process)


def scripted(harness, clock, home, env, session):
    write_tasks(home, [])
    listed = cli(clock, env, '--home', home, '--list')
    if listed.returncode == 0 or not listed.stderr.strip():
        fail(f'--list without a running clock: status {listed.returncode}, {listed.stderr!r}')

    # --add starts the clock; the reminder fires at its second.
    due = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(seconds=12)
    added = cli(clock, env, '--home', home, '--add', due.strftime(STAMP), '订餐厅', '七点的位子')
    if added.returncode != 0 or not re.fullmatch(r'\d+\.\d+', added.stdout.strip()):
        fail(f'--add: status {added.returncode}, {added.stdout!r} {added.stderr!r}')
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock started by --add')

    listed = cli(clock, env, '--home', home, '--list')
    if listed.returncode != 0 or '订餐厅' not in listed.stdout or due.strftime(STAMP) not in listed.stdout:
        fail(f'--list: status {listed.returncode}, {listed.stdout!r} {listed.stderr!r}')
    bus = subprocess.run(['busctl', '--user', 'call', 'org.tockly.Clock', '/Clock', 'org.tockly.Clock',
                          'ListUpcoming'], env=env, capture_output=True, text=True, timeout=30, check=False)
    if bus.returncode != 0 or f'"{added.stdout.strip()}"' not in bus.stdout or due.strftime(STAMP) not in bus.stdout:
        fail(f'busctl ListUpcoming: status {bus.returncode}, {bus.stdout!r} {bus.stderr!r}')

    # Bad input: a clear error, a failure status, and nothing added.
    for when, description in (('2020-01-01 10:00', '过去'), ('明天', '无法识别'), (due.strftime(STAMP), ' '),
                              (due.strftime(STAMP), '长' * 5000)):
        refused = cli(clock, env, '--home', home, '--add', when, description)
        if refused.returncode == 0 or not refused.stderr.strip():
            fail(f'--add {when!r} was not refused: {refused.stdout!r}')
    bad = subprocess.run(['busctl', '--user', 'call', 'org.tockly.Clock', '/Clock', 'org.tockly.Clock',
                          'AddReminder', 'sss', '2020-01-01 10:00', 'x', ''], env=env, capture_output=True,
                         text=True, timeout=30, check=False)
    if bad.returncode == 0:
        fail('busctl AddReminder with a past date was not refused')
    listed = cli(clock, env, '--home', home, '--list')
    if listed.stdout.count('\n') != 1:
        fail(f'a refused reminder was added: {listed.stdout!r}')

    wait_until(lambda: find_window(env, f'^提醒 - {due.strftime(STAMP)}$'), timeout=25,
               what='the popup of the added reminder')

    pid = clock_pid(session)
    quitted = cli(clock, env, '--home', home, '--quit')
    if quitted.returncode != 0:
        fail(f'--quit: status {quitted.returncode}, {quitted.stderr!r}')
    wait_until(lambda: not session.connection.name_has_owner('org.tockly.Clock'),
               what='the clock to leave the bus after --quit')
    wait_until(lambda: not os.path.exists(f'/proc/{pid}') or ' Z ' in open(f'/proc/{pid}/stat').read(),
               what='the clock to end')


def missed_in_sleep(harness, clock, home, env, logind):
    library = faketime_library()
    shift = harness.path('faketime')
    with open(shift, 'w', encoding='utf-8') as file:
        file.write('+0\n')
    start = datetime.datetime.now().replace(microsecond=0)
    due = start + datetime.timedelta(seconds=40)
    write_tasks(home, [('睡着时', due)])
    faked = dict(env, LD_PRELOAD=library, FAKETIME_TIMESTAMP_FILE=shift, FAKETIME_NO_CACHE='1',
                 FAKETIME_DONT_FAKE_MONOTONIC='1')
    process = start_clock(harness, clock, home, faked, 'sleep.log')
    time.sleep(2)
    if find_window(env, '^错过的提醒$'):
        fail('the missed reminders window showed before anything was missed')

    logind.EmitSignal('org.freedesktop.login1.Manager', 'PrepareForSleep', 'b', [True], dbus_interface=MOCK)
    with open(shift, 'w', encoding='utf-8') as file:
        file.write('+120\n')
    logind.EmitSignal('org.freedesktop.login1.Manager', 'PrepareForSleep', 'b', [False], dbus_interface=MOCK)
    wait_until(lambda: 'The machine woke up' in log_text(harness, 'sleep.log'), what='logind\'s word of the wake-up')
    wait_until(lambda: find_window(env, '^错过的提醒$'), what='the missed reminders window after the sleep')
    wait_until(lambda: f'Listed as missed: {due.strftime(STAMP)} 睡着时' in log_text(harness, 'sleep.log'),
               what='the reminder due during the sleep')
    if find_window(env, f'^提醒 - {due.strftime(STAMP)}$'):
        fail('the reminder missed in the sleep fired late')
    stop_clock(harness, process)


if __name__ == '__main__':
    main()
