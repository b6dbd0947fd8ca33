#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real clock keeps what the user does: a reminder made in the editor is
on disk two seconds later, so a kill -9 loses nothing; when the X server goes
away the clock saves before it ends; and the temporary files of a save that
an earlier run was killed in are cleared away at start-up; a termination
signal during the start-up question ends the program.

Usage: /usr/bin/python3 persistence_e2e.py PATH/TO/clock
"""

import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import double_click, e2e_main, fail, find_window, read_text, stop_clock, wait_until, xdotool  # noqa: E402


def start_clock(harness, clock, home, env, log):
    process = harness.start([clock, '--home', home], log, env)
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock window')
    return process, find_window(env, '^Tocklyv2\\.8$')


def run(harness, clock):
    home = harness.path('home')
    os.makedirs(home)
    # Double-clicking the clock opens the editor for a new reminder.
    with open(os.path.join(home, 'CONFIG.INI'), 'w', encoding='utf-8', newline='') as out:
        out.write('[General Settings]\r\nDbClick=2\r\n')
    stale = os.path.join(home, 'alarms.lst.Zq81xP')
    kept = os.path.join(home, 'alarms.lst.backup')
    for path in (stale, kept):
        with open(path, 'w', encoding='utf-8') as out:
            out.write('[Common]\r\n')

    display = harness.xvfb()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)

    # A new reminder typed into the editor survives a kill two seconds later.
    while time.localtime().tm_sec >= 50:  # the editor proposes the next minute
        time.sleep(1)
    process, window = start_clock(harness, clock, home, env, 'clock-1.log')
    if os.path.exists(stale) or not os.path.exists(kept):
        fail('start-up did not clear exactly the temporary file of a killed save')
    double_click(env, window)
    wait_until(lambda: find_window(env, '^闹铃提醒$'), what='the reminder editor')
    editor = find_window(env, '^闹铃提醒$')
    xdotool(env, 'windowfocus', '--sync', editor)
    xdotool(env, 'type', '--delay', '30', 'Drink water 42')
    xdotool(env, 'key', '--window', editor, 'Return')
    wait_until(lambda: not find_window(env, '^闹铃提醒$'), what='the editor to save and close')
    time.sleep(2)
    process.kill()
    process.wait()
    harness.processes.remove(process)
    if 'Description=Drink water 42' not in read_text(os.path.join(home, 'alarms.lst')):
        fail('the new reminder was not on disk two seconds after it was saved')

    # SIGTERM while the start-up question about updates is open (it is asked
    # when the machine is online and the question was not switched off) ends
    # the program at once, writing nothing.
    alarms = os.path.join(home, 'alarms.lst')
    before = read_text(alarms)
    asking = dict(env, XDG_CONFIG_HOME=harness.path('asking-config'))
    process = harness.start([clock, '--home', home], 'clock-asking.log', asking)
    wait_until(lambda: find_window(env, '检查更新') or find_window(env, '^Tocklyv2\\.8$'),
               what='the update question or the clock')
    print('SIGTERM while', 'asking about updates' if find_window(env, '检查更新') else 'showing the clock')
    stop_clock(harness, process)
    if read_text(alarms) != before:
        fail('a termination at start-up changed alarms.lst')

    # The X server goes away: the clock saves on its way out.
    os.remove(os.path.join(home, 'CONFIG.INI'))
    process, window = start_clock(harness, clock, home, env, 'clock-2.log')
    xvfb = harness.processes[0]
    xvfb.send_signal(signal.SIGKILL)
    try:
        process.wait(15)
    except subprocess.TimeoutExpired:
        fail('the clock did not end when its display went away')
    config = os.path.join(home, 'CONFIG.INI')
    if not os.path.exists(config) or 'MainWindow Size=' not in read_text(config):
        fail('the clock did not save its settings when the display went away')
    if 'Description=Drink water 42' not in read_text(os.path.join(home, 'alarms.lst')):
        fail('the reminder was lost when the display went away')


if __name__ == '__main__':
    e2e_main('persistence', run)
