#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real clock corrects the time from a real NTP server: chronyd, started
here on a loopback port with its own configuration and files, serving its
own clock without ever adjusting the system's (-x). The clock synchronises
at start (StartSyn) and again from its menu ("通过原子钟(&I)..."); each time
python3-dbusmock's timedated on a private system bus receives SetTime.

Runs under a private X server. It refuses to start the clock unless the bus
variables name the private buses it started, so the real timedated is never
asked. Prints the round trip the clock measured.

Usage: /usr/bin/python3 timesync_e2e.py PATH/TO/clock
"""

import os
import re
import shutil
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import e2e_main, fail, stop_clock, wait_until  # noqa: E402

TIMEDATE = 'org.freedesktop.timedate1'
TIMEDATE_PATH = '/org/freedesktop/timedate1'
MOCK = 'org.freedesktop.DBus.Mock'


def free_loopback_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def answers(port):
    """Whether an NTP server answers a client request on 127.0.0.1:port."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as client:
        client.settimeout(0.2)
        client.sendto(b'\x1b' + bytes(47), ('127.0.0.1', port))
        try:
            return len(client.recv(68)) >= 48
        except OSError:
            return False


def start_chronyd(harness):
    """chronyd answering on 127.0.0.1 only, from its own clock as stratum 8."""
    port = free_loopback_port()
    folder = harness.path('chrony')
    os.makedirs(folder)
    config = os.path.join(folder, 'chrony.conf')
    with open(config, 'w', encoding='utf-8') as out:
        out.write(f'port {port}\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 8\n'
                  f'cmdport 0\nbindcmdaddress /\npidfile {folder}/chronyd.pid\n')
    # -x: never touch the system clock; -d: stay in the foreground.
    user = ['-u', 'root'] if os.geteuid() == 0 else ['-U']
    process = harness.start([shutil.which('chronyd') or '/usr/sbin/chronyd', '-x', '-d', '-f', config] + user,
                            'chronyd.log')
    wait_until(lambda: process.poll() is not None or answers(port), what='chronyd')
    if process.poll() is not None:
        fail(f'chronyd did not start:\n{open(harness.path("chronyd.log"), encoding="utf-8").read()}')
    return port


def set_time_calls(timedated):
    return [(int(args[0]), bool(args[1]), bool(args[2]))
            for _, args in timedated.GetMethodCalls('SetTime', dbus_interface=MOCK)]


def received_at(log_path):
    with open(log_path, encoding='utf-8') as log:
        return [float(line.split()[0]) for line in log if line.split()[1:2] == ['SetTime']]


def run(harness, clock):
    display = harness.xvfb()
    system = harness.private_bus('system')
    session = harness.private_bus('session')
    timedated_log = harness.path('timedated-calls.log')
    harness.mock(system, ['--system', '--template', 'timedated', '--logfile', timedated_log], TIMEDATE,
                 'timedated.log')
    timedated = system.connection.get_object(TIMEDATE, TIMEDATE_PATH)
    port = start_chronyd(harness)

    home = harness.path('home')
    os.makedirs(home)
    with open(os.path.join(home, 'SNTP.dat'), 'w', encoding='ascii', newline='') as out:
        out.write(f'127.0.0.1:{port}\r\n')
    with open(os.path.join(home, 'CONFIG.INI'), 'w', encoding='utf-8', newline='') as out:
        out.write('[Synchronization Settings]\r\nAutoSyn=0\r\nStartSyn=1\r\nServer=0\r\n')

    env = dict(os.environ, DISPLAY=display, DBUS_SYSTEM_BUS_ADDRESS=system.address,
               DBUS_SESSION_BUS_ADDRESS=session.address, XDG_RUNTIME_DIR=harness.path('runtime'),
               QT_LOGGING_RULES='tockly.timesync.debug=true')
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    # The clock will really ask timedated to set the time: only ever on the private bus.
    if not (system.is_ours() and env['DBUS_SYSTEM_BUS_ADDRESS'] == system.address):
        sys.exit('timesync_e2e.py: refusing to run: the system bus is not the private one')
    process = harness.start([clock, '--home', home], 'clock.log', env)

    # At start.
    wait_until(lambda: len(set_time_calls(timedated)) == 1, timeout=15, what='SetTime from the start-up sync')
    check_set_time(set_time_calls(timedated)[0], received_at(timedated_log)[0])

    # From the menu: the clock's context menu, then 同步日期/时间(&Y), 通过原子钟(&I)...
    window = subprocess.run(['xdotool', 'search', '--name', '^Tocklyv2\\.8$'], env=env, capture_output=True,
                            text=True, check=False).stdout.split()
    if not window:
        fail('no clock window')
    subprocess.run(['xdotool', 'mousemove', '--window', window[0], '20', '20', 'click', '3'], env=env, check=True)
    time.sleep(0.5)
    subprocess.run(['xdotool', 'key', 'y'], env=env, check=True)
    time.sleep(0.3)
    subprocess.run(['xdotool', 'key', 'i'], env=env, check=True)
    wait_until(lambda: len(set_time_calls(timedated)) == 2, timeout=10, what='SetTime from the menu command')
    check_set_time(set_time_calls(timedated)[1], received_at(timedated_log)[1])

    stop_clock(harness, process)
    with open(harness.path('clock.log'), encoding='utf-8', errors='replace') as log:
        trips = re.findall(r'answered: round trip (-?[\d.]+) s, offset (-?[\d.]+) s', log.read())
    if len(trips) != 2:
        fail(f'expected two answers in the clock\'s log, found {trips}')
    for trip, offset in trips:
        print(f'round trip to chronyd {float(trip) * 1000:.3f} ms, offset {float(offset) * 1000:.3f} ms')


def check_set_time(call, received):
    usec, relative, interactive = call
    if (relative, interactive) != (False, True):
        fail(f'SetTime was not absolute and interactive: {call}')
    # chronyd serves this machine's own clock, so the time set is the time
    # timedated received it, to within its log's millisecond.
    if abs(usec / 1e6 - received) > 0.005:
        fail(f'SetTime asked for {usec / 1e6:.6f}, received at {received:.3f}')


if __name__ == '__main__':
    e2e_main('timesync', run)
