#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Checks LinuxPowerService against mock D-Bus services on private buses.

Starts a private "system" bus and a private session bus with dbus-daemon,
python3-dbusmock's logind template on the first and mock session managers
(GNOME, KDE, Xfce) on the second, then runs power_probe, a small program
that makes one LinuxPowerService request, and asserts which methods were
called with which arguments. A monitor on the private system bus checks that
the calls to logind allow interactive authorisation in their header.

Usage: /usr/bin/python3 power_test.py PATH/TO/power_probe [unittest options]

Nothing here may reach the machine's real buses: the harness clears the bus
variables before it starts anything, sets them to the buses it started, and
refuses to run the probe unless they still point there. Every process it
started is stopped on the way out, pass or fail.
"""

import os
import subprocess
import sys
import threading
import time
import unittest

import dbus
from gi.repository import Gio, GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import probe_test_main, wait_until  # noqa: E402

LOGIND = 'org.freedesktop.login1'
LOGIND_PATH = '/org/freedesktop/login1'
MANAGER = 'org.freedesktop.login1.Manager'
SESSION = 'org.freedesktop.login1.Session'
MOCK = 'org.freedesktop.DBus.Mock'

# Session managers as LinuxPowerService knows them: bus name, object path,
# interface, method, input signature, and the arguments expected.
GNOME = ('org.gnome.SessionManager', '/org/gnome/SessionManager', 'org.gnome.SessionManager', 'Logout', 'u', [0])
KDE = ('org.kde.Shutdown', '/Shutdown', 'org.kde.Shutdown', 'logout', '', [])
XFCE = ('org.xfce.SessionManager', '/org/xfce/SessionManager', 'org.xfce.Session.Manager', 'Logout', 'bb',
        [False, True])

PROBE = None
HARNESS = None


class Monitor:
    """Notes every method call to logind on the private system bus, with the
    header flag that allows interactive authorisation."""

    def __init__(self, address):
        self.lock = threading.Lock()
        self.calls = []
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        self.connection = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
        self.connection.add_filter(self._filter)
        self.connection.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus.Monitoring',
                                  'BecomeMonitor', GLib.Variant('(asu)', (["type='method_call'"], 0)), None,
                                  Gio.DBusCallFlags.NONE, -1, None)

    def _filter(self, _connection, message, incoming):
        if not incoming or message.get_message_type() != Gio.DBusMessageType.METHOD_CALL:
            return message
        if message.get_destination() == LOGIND:
            interactive = bool(message.get_flags() & Gio.DBusMessageFlags.ALLOW_INTERACTIVE_AUTHORIZATION)
            with self.lock:
                self.calls.append((message.get_path(), message.get_interface(), message.get_member(), interactive))
        # The calls a monitor sees are not for it to answer (and a monitor
        # that sends anything is thrown off the bus).
        return None

    def take(self):
        with self.lock:
            calls, self.calls = self.calls, []
        return calls

    def close(self):
        self.connection.close_sync(None)


class PowerServiceTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.system = HARNESS.private_bus('system')
        cls.session = HARNESS.private_bus('session')
        os.environ['DBUS_SYSTEM_BUS_ADDRESS'] = cls.system.address
        os.environ['DBUS_SESSION_BUS_ADDRESS'] = cls.session.address
        HARNESS.mock(cls.system, ['--system', '--template', 'logind'], LOGIND, 'logind.log')
        cls.logind = cls.system.connection.get_object(LOGIND, LOGIND_PATH)
        cls.monitor = Monitor(cls.system.address)

    @classmethod
    def tearDownClass(cls):
        cls.monitor.close()

    def setUp(self):
        self.logind.ClearCalls(dbus_interface=MOCK)
        self.monitor.take()

    def require_private_buses(self):
        if not (os.environ.get('DBUS_SYSTEM_BUS_ADDRESS') == self.system.address and self.system.is_ours()
                and os.environ.get('DBUS_SESSION_BUS_ADDRESS') == self.session.address and self.session.is_ours()):
            sys.exit('power_test.py: refusing to go on: the bus variables no longer name the private buses')

    def probe(self, action, session_id=None, vouch=True):
        self.require_private_buses()
        env = dict(os.environ)
        env.pop('XDG_SESSION_ID', None)
        if session_id:
            env['XDG_SESSION_ID'] = session_id
        if vouch:
            env['TOCKLY_TEST_PRIVATE_SYSTEM_BUS'] = self.system.address
            env['TOCKLY_TEST_PRIVATE_SESSION_BUS'] = self.session.address
        result = subprocess.run([PROBE, action], env=env, capture_output=True, text=True, timeout=60, check=False)
        return result.returncode, result.stdout.strip()

    def logind_calls(self, path=LOGIND_PATH):
        obj = self.system.connection.get_object(LOGIND, path)
        return [(str(method), [arg for arg in args]) for _, method, args in obj.GetCalls(dbus_interface=MOCK)]

    def monitored(self, expected_count):
        calls = []
        deadline = time.monotonic() + 5
        while len(calls) < expected_count and time.monotonic() < deadline:
            calls += self.monitor.take()
            time.sleep(0.02)
        return calls

    def start_session_manager(self, manager, code=''):
        name, path, interface, method, signature, _ = manager
        process = HARNESS.mock(self.session, [name, path, interface], name, f'{name}.log')
        self.addCleanup(HARNESS.stop, process)
        obj = self.session.connection.get_object(name, path)
        obj.AddMethod(interface, method, signature, '', code, dbus_interface=MOCK)
        return obj

    def test_power_actions_ask_logind_allowing_interactive_authorisation(self):
        for action, method in (('poweroff', 'PowerOff'), ('reboot', 'Reboot'), ('suspend', 'Suspend')):
            with self.subTest(action):
                self.logind.ClearCalls(dbus_interface=MOCK)
                self.monitor.take()
                self.assertEqual(self.probe(action), (0, 'accepted'))
                self.assertEqual(self.logind_calls(), [(method, [True])])
                self.assertEqual(self.monitored(1), [(LOGIND_PATH, MANAGER, method, True)])

    def test_a_refused_power_action_reports_refused(self):
        refuse = ('raise dbus.exceptions.DBusException("Interactive authentication required.", '
                  'name="org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")')
        self.logind.AddMethod(MANAGER, 'Reboot', 'b', '', refuse, dbus_interface=MOCK)
        try:
            self.assertEqual(self.probe('reboot'), (3, 'refused'))
            self.assertEqual(self.logind_calls(), [('Reboot', [True])])
        finally:
            self.logind.AddMethod(MANAGER, 'Reboot', 'b', '', '', dbus_interface=MOCK)

    def test_log_off_goes_to_the_running_session_manager(self):
        for manager in (GNOME, KDE, XFCE):
            name, _, _, method, _, expected = manager
            with self.subTest(name):
                obj = self.start_session_manager(manager)
                self.assertEqual(self.probe('logoff', session_id='c1'), (0, 'accepted'))
                self.assertEqual([list(args) for _, args in obj.GetMethodCalls(method, dbus_interface=MOCK)],
                                 [expected])
                self.assertEqual(self.logind_calls(), [])
                self.doCleanups()
                wait_until(lambda name=name: not self.session.connection.name_has_owner(name), what=f'{name} gone')

    def test_log_off_passes_over_a_session_manager_that_fails(self):
        failing = self.start_session_manager(GNOME, 'raise dbus.exceptions.DBusException("busy", name="org.x.Busy")')
        kde = self.start_session_manager(KDE)
        self.assertEqual(self.probe('logoff'), (0, 'accepted'))
        self.assertEqual(len(failing.GetMethodCalls('Logout', dbus_interface=MOCK)), 1)
        self.assertEqual(len(kde.GetMethodCalls('logout', dbus_interface=MOCK)), 1)
        self.assertEqual(self.logind_calls(), [])

    def test_log_off_without_a_session_manager_terminates_our_logind_session(self):
        self.logind.AddSession('c7', 'seat0', dbus.UInt32(1000), 'tester', True, dbus_interface=MOCK)
        self.logind.AddSession('auto', 'seat0', dbus.UInt32(1000), 'tester', True, dbus_interface=MOCK)
        self.logind.ClearCalls(dbus_interface=MOCK)
        self.monitor.take()

        # The session the environment names...
        self.assertEqual(self.probe('logoff', session_id='c7'), (0, 'accepted'))
        self.assertEqual(self.logind_calls(), [('GetSession', ['c7'])])
        self.assertEqual(self.logind_calls(f'{LOGIND_PATH}/session/c7'), [('Terminate', [])])
        self.assertEqual(self.logind_calls(f'{LOGIND_PATH}/session/auto'), [])
        calls = self.monitored(2)
        self.assertIn((f'{LOGIND_PATH}/session/c7', SESSION, 'Terminate', True), calls)

        # ...else logind's own name for the caller's session.
        self.assertEqual(self.probe('logoff'), (0, 'accepted'))
        self.assertEqual(self.logind_calls(f'{LOGIND_PATH}/session/auto'), [('Terminate', [])])
        self.assertEqual(self.logind_calls(f'{LOGIND_PATH}/session/c7'), [('Terminate', [])])

        # A session logind does not know: nothing accepted the request.
        self.assertEqual(self.probe('logoff', session_id='gone'), (3, 'refused'))

    def test_the_probe_refuses_buses_the_harness_did_not_vouch_for(self):
        code, _ = self.probe('poweroff', vouch=False)
        self.assertEqual(code, 2)
        self.assertEqual(self.logind_calls(), [])


if __name__ == '__main__':
    probe_test_main('power_test', sys.modules[__name__])
