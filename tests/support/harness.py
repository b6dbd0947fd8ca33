# SPDX-License-Identifier: MIT
"""Private peers for tests that run real programs: D-Bus buses with
python3-dbusmock services, an X server, a sound server. Nothing here reaches
the machine's own buses or display, and every process started is stopped by
close(), pass or fail."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import dbus

BUS_CONFIG = '''<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{kind}</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
'''


# One timed task of alarms.lst, as the end-to-end scripts write them.
TASK = '''[Alarm{number:05d}]\r
ReportMode=0\r
DateTime={due}\r
Schedule=0\r
HourlyDateLimit=0\r
HourlyTimeLimit=0\r
HourlyEndDate={day}\r
HourlyEndTime=23:59:00\r
HourlyStartDate={day}\r
HourlyStartTime=00:00:00\r
Category=0\r
Description={description}\r
Message={message}\r
Background Color=16777215\r
FontColor=0\r
FontHeight=240\r
FontFaceName=宋体\r
FontMask=0\r
FontEffect=0\r
SoundFile={sound}\r
RepeatPlay=0\r
ActionMode={mode}\r
ActionOption={option}\r
Countdownsec={countdown}\r
FilePath={path}\r
'''

FAKETIME_LIBRARIES = ('/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1',
                      '/usr/lib/aarch64-linux-gnu/faketime/libfaketimeMT.so.1')


def faketime_library():
    library = next((path for path in FAKETIME_LIBRARIES if os.path.exists(path)), None)
    if not library:
        fail('libfaketime is not installed (package faketime)')
    return library


def faketime_env(env, offset):
    """The clock alone sees the time shifted by offset seconds; its monotonic
    clock stays real, so its timers and sound keep their pace. (The faketime
    wrapper forks, so signals to its pid would miss the program: preload.)"""
    return dict(env, LD_PRELOAD=faketime_library(), FAKETIME=f'{offset:+d}', FAKETIME_DONT_FAKE_MONOTONIC='1')


def wait_until(condition, timeout=10.0, what='condition', interval=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(interval)
    raise AssertionError(f'timed out waiting for {what}')


def isolate_from_real_buses():
    """Nothing started from here may find the real buses, not even by accident."""
    for variable in ('DBUS_SYSTEM_BUS_ADDRESS', 'DBUS_SESSION_BUS_ADDRESS', 'XDG_SESSION_ID'):
        os.environ.pop(variable, None)
    os.environ['DBUS_SESSION_BUS_ADDRESS'] = 'disabled:'
    os.environ['DBUS_SYSTEM_BUS_ADDRESS'] = 'disabled:'


def stop_on_signals():
    """Turns SIGTERM and SIGHUP into an exit, so clean-up still runs."""
    def stop(signum, _frame):
        raise SystemExit(128 + signum)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)


def fail(message):
    print(f'FAIL: {message}', file=sys.stderr)
    sys.exit(1)


def read_text(path):
    with open(path, encoding='utf-8', errors='replace') as file:
        return file.read()


def xdotool(env, *args):
    return subprocess.run(['xdotool', *args], env=env, capture_output=True, text=True, check=False).stdout


def find_windows(env, name):
    return xdotool(env, 'search', '--name', name).split()


def find_window(env, name):
    ids = find_windows(env, name)
    return ids[0] if ids else None


def double_click(env, window, x=40, y=30):
    """Two clicks 50 ms apart: what a window manager and Qt both take for a
    double click (xdotool's --repeat is too fast for some)."""
    xdotool(env, 'mousemove', '--window', window, str(x), str(y))
    for _ in range(2):
        xdotool(env, 'mousedown', '1')
        time.sleep(0.05)
        xdotool(env, 'mouseup', '1')
        time.sleep(0.05)


def stop_clock(harness, process, timeout=15):
    """SIGTERM must end the clock cleanly, its files saved."""
    process.terminate()
    if process.wait(timeout) != 0:
        fail(f'SIGTERM ended the clock with status {process.returncode}')
    if process in harness.processes:
        harness.processes.remove(process)


def e2e_main(name, run, usage='PATH/TO/clock'):
    """Runs run(harness, *paths) for a script called with the paths named in
    usage (the first is the program), away from the real buses, cleaning up
    whatever happens."""
    paths = sys.argv[1:]
    if len(paths) != len(usage.split()) or not os.access(paths[0], os.X_OK):
        sys.exit(f'usage: {name}_e2e.py {usage}')
    isolate_from_real_buses()
    stop_on_signals()
    harness = Harness(f'tockly-e2e-{name}-')
    try:
        run(harness, *(os.path.abspath(path) for path in paths))
    finally:
        harness.close()
    print('PASS')


def probe_test_main(name, module, isolate=True):
    """unittest.main for a test module driving a probe program: sets the
    module's PROBE (the first argument) and HARNESS, and exits with the result."""
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(f'usage: {name}.py PATH/TO/probe [unittest options]')
    module.PROBE = os.path.abspath(sys.argv.pop(1))
    if isolate:
        isolate_from_real_buses()
    stop_on_signals()
    module.HARNESS = Harness(f'tockly-{name}-')
    code = 1
    try:
        program = unittest.main(module=module, exit=False, verbosity=2)
        code = 0 if program.result.wasSuccessful() else 1
    finally:
        module.HARNESS.close()
    sys.exit(code)


class PrivateBus:
    """A dbus-daemon listening on a socket in the work folder only."""

    def __init__(self, harness, kind):
        self.socket = os.path.join(harness.workdir, f'{kind}-bus')
        config = os.path.join(harness.workdir, f'{kind}-bus.conf')
        with open(config, 'w', encoding='utf-8') as out:
            out.write(BUS_CONFIG.format(kind=kind, socket=self.socket))
        self.process = subprocess.Popen(['dbus-daemon', '--nofork', '--config-file', config, '--print-address'],
                                        stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
        harness.processes.append(self.process)
        self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            raise RuntimeError(f'the private {kind} bus did not start')
        self.connection = dbus.bus.BusConnection(self.address)

    def is_ours(self):
        return self.process.poll() is None and f'path={self.socket},' in self.address + ','


def private_config_folder(folder):
    """Points XDG_CONFIG_HOME at folder, so the clock's autostart entry and its
    own profile never touch the user's; in that profile the update offer at
    start-up is switched off, as a user would, so that no test waits on it."""
    os.makedirs(os.path.join(folder, 'tockly'), exist_ok=True)
    with open(os.path.join(folder, 'tockly', 'clock.ini'), 'w', encoding='utf-8', newline='') as out:
        out.write('[Tockly]\r\nupdate=1\r\n')
    os.environ['XDG_CONFIG_HOME'] = folder


class Harness:
    def __init__(self, prefix):
        self.workdir = tempfile.mkdtemp(prefix=prefix)
        self.processes = []
        private_config_folder(self.path('config'))

    def path(self, name):
        return os.path.join(self.workdir, name)

    def start(self, args, log_name, env=None):
        with open(self.path(log_name), 'wb') as log:
            process = subprocess.Popen(args, stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, env=env)
        self.processes.append(process)
        return process

    def stop(self, process, timeout=5):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if process in self.processes:
            self.processes.remove(process)

    def close(self):
        for process in reversed(list(self.processes)):
            self.stop(process)
        shutil.rmtree(self.workdir, ignore_errors=True)

    def private_bus(self, kind):
        return PrivateBus(self, kind)

    def mock(self, bus, args, name, log_name):
        """A python3-dbusmock service on that bus, waited for until it owns its name."""
        variable = 'DBUS_SYSTEM_BUS_ADDRESS' if '--system' in args else 'DBUS_SESSION_BUS_ADDRESS'
        env = dict(os.environ, **{variable: bus.address})
        process = self.start(['/usr/bin/python3', '-m', 'dbusmock'] + args, log_name, env)
        wait_until(lambda: bus.connection.name_has_owner(name), what=f'{name} on the bus')
        return process

    def xvfb(self):
        """A private X server; returns its DISPLAY value."""
        read_end, write_end = os.pipe()
        process = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1280x800x24', '-nolisten',
                                    'tcp'], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(process)
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number:
            raise RuntimeError('Xvfb did not start')
        return f':{number}'

    def pulseaudio(self):
        """A sound server with a null sink; returns its PULSE_SERVER value, or
        None when none can run here."""
        if not shutil.which('pulseaudio'):
            return None
        root = self.path('pulse')
        for folder in ('run/pulse', 'state'):
            os.makedirs(os.path.join(root, folder), exist_ok=True)
        socket = os.path.join(root, 'native')
        env = dict(os.environ, HOME=root, XDG_RUNTIME_DIR=os.path.join(root, 'run'),
                   PULSE_RUNTIME_PATH=os.path.join(root, 'run/pulse'), PULSE_STATE_PATH=os.path.join(root, 'state'),
                   DBUS_SESSION_BUS_ADDRESS='disabled:')
        env.pop('PULSE_SERVER', None)
        process = self.start(['pulseaudio', '-n', '--daemonize=no', '--exit-idle-time=-1', '--use-pid-file=no',
                              '--realtime=no', '--high-priority=no', '--log-target=stderr',
                              '-L', f'module-native-protocol-unix auth-anonymous=1 socket={socket}',
                              # Without rewinds the null sink keeps a latency close to what a
                              # stream asks for, and its monitor hears every sample.
                              '-L', 'module-null-sink sink_name=tockly_test norewinds=1'], 'pulseaudio.log', env)
        try:
            wait_until(lambda: os.path.exists(socket) or process.poll() is not None, what='the sound server')
        except AssertionError:
            return None
        return f'unix:{socket}' if process.poll() is None else None
