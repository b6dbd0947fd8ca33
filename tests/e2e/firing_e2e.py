#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real clock fires reminders from its task file: a popup at the task's
second, its sound and then its action (a script that runs), a power action
that reaches logind, and a countdown that Escape cancels before it acts.

Runs under a private X server, with python3-dbusmock's logind on a private
system bus and a PulseAudio null sink. It refuses to start the clock unless
the bus variables name the private buses it started.

Usage: /usr/bin/python3 firing_e2e.py PATH/TO/clock
"""

import datetime
import math
import os
import stat
import struct
import subprocess
import sys
import time
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import TASK, e2e_main, fail, find_window, stop_clock, wait_until  # noqa: E402

LOGIND = 'org.freedesktop.login1'
LOGIND_PATH = '/org/freedesktop/login1'
MOCK = 'org.freedesktop.DBus.Mock'



def write_chime(path, seconds=0.4):
    with wave.open(path, 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(44100)
        frames = int(44100 * seconds)
        out.writeframes(b''.join(struct.pack('<h', int(8000 * math.sin(2 * math.pi * 880 * i / 44100)))
                                 for i in range(frames)))


def write_script(path, marker):
    with open(path, 'w', encoding='utf-8') as out:
        out.write(f'#!/bin/sh\ntouch "{marker}"\n')
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)


def logind_calls(logind):
    return [str(method) for _, method, _ in logind.GetCalls(dbus_interface=MOCK)]


def run(harness, clock):
    display = harness.xvfb()
    system = harness.private_bus('system')
    session = harness.private_bus('session')
    harness.mock(system, ['--system', '--template', 'logind'], LOGIND, 'logind.log')
    logind = system.connection.get_object(LOGIND, LOGIND_PATH)
    pulse = harness.pulseaudio()

    home = harness.path('home')
    os.makedirs(home)
    chime = harness.path('chime.wav')
    write_chime(chime)
    marker = harness.path('script-ran')
    script = harness.path('action.sh')
    write_script(script, marker)

    start = datetime.datetime.now().replace(microsecond=0)
    due = [start + datetime.timedelta(seconds=s) for s in (6, 8, 10)]
    stamp = [d.strftime('%Y-%m-%d %H:%M:%S') for d in due]
    day = start.strftime('%Y-%m-%d')
    tasks = [
        dict(description='弹出并运行脚本', message='到点了##第二行', sound=chime, mode=0, option=0, countdown=30,
             path=script),
        dict(description='关机', message='', sound='', mode=3, option=0, countdown=30, path=''),
        dict(description='倒计时重启', message='', sound='', mode=2, option=1, countdown=5, path=''),
    ]
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write(f'[Common]\r\nNumofAlarms={len(tasks)}\r\n')
        for number, task in enumerate(tasks):
            out.write(TASK.format(number=number, due=stamp[number], day=day, **task))

    env = dict(os.environ, DISPLAY=display, DBUS_SYSTEM_BUS_ADDRESS=system.address,
               DBUS_SESSION_BUS_ADDRESS=session.address, XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    if pulse:
        env['PULSE_SERVER'] = pulse
    # The clock will really ask for a power-off: only ever on the private bus.
    if not (system.is_ours() and env['DBUS_SYSTEM_BUS_ADDRESS'] == system.address):
        sys.exit('firing_e2e.py: refusing to run: the system bus is not the private one')
    process = harness.start([clock, '--home', home], 'clock.log', env)
    wait_until(lambda: find_window(env, '^Tocklyv2\\.8$'), what='the clock window')

    # The popup shows at its second; note how late.
    popup_name = f'^提醒 - {stamp[0]}$'
    wait_until(lambda: find_window(env, popup_name), timeout=15, what='the popup of the first task', interval=0.01)
    late_ms = (time.time() - due[0].timestamp()) * 1000
    print(f'popup shown {late_ms:.0f} ms after its due second (polled every 10 ms)')
    # Its action, a script, runs once the sound has played.
    wait_until(lambda: os.path.exists(marker), timeout=10, what='the first task\'s script')

    wait_until(lambda: 'PowerOff' in logind_calls(logind), timeout=10, what='PowerOff at logind')

    countdown = None

    def countdown_shown():
        nonlocal countdown
        countdown = find_window(env, '^Tockly$')
        return countdown

    wait_until(countdown_shown, timeout=10, what='the countdown dialog')
    subprocess.run(['xdotool', 'windowfocus', '--sync', countdown], env=env, check=False)
    subprocess.run(['xdotool', 'key', '--window', countdown, 'Escape'], env=env, check=False)
    time.sleep(7)  # longer than its five-second count
    if 'Reboot' in logind_calls(logind):
        fail('the cancelled countdown rebooted')

    stop_clock(harness, process)


if __name__ == '__main__':
    e2e_main('firing', run)
