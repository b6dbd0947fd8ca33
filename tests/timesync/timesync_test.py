#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""One synchronisation at a time against a time server on 127.0.0.1, with
python3-dbusmock's timedated on a private system bus: a good reply sets the
clock, a reply to another request is skipped, silence times out while a
window keeps repainting, a kiss-o'-death and a refusal by timedated are
reported and change nothing.

Each case runs sync_probe, which holds the fake time server and prints what
the user was shown; this script checks that and the calls timedated got.
Nothing here reaches the machine's real buses: the probe refuses to run
unless the bus variable names the private bus started here.

Usage: /usr/bin/python3 timesync_test.py PATH/TO/sync_probe [unittest options]
"""

import json
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import probe_test_main  # noqa: E402

TIMEDATE = 'org.freedesktop.timedate1'
TIMEDATE_PATH = '/org/freedesktop/timedate1'
MOCK = 'org.freedesktop.DBus.Mock'
CANNOT_SET = 'Tockly无法修改系统本地时间，请检查您是否具有相关权限。'

PROBE = None
HARNESS = None


class TimeSyncTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.system = HARNESS.private_bus('system')
        os.environ['DBUS_SYSTEM_BUS_ADDRESS'] = cls.system.address
        cls.log = HARNESS.path('timedated.log')
        HARNESS.mock(cls.system, ['--system', '--template', 'timedated', '--logfile', cls.log], TIMEDATE,
                     'timedated.out')
        cls.timedated = cls.system.connection.get_object(TIMEDATE, TIMEDATE_PATH)

    def setUp(self):
        self.timedated.ClearCalls(dbus_interface=MOCK)

    def probe(self, scenario, bus=None, vouch=True):
        bus = bus or self.system
        if not (bus.is_ours() and os.environ.get('DBUS_SYSTEM_BUS_ADDRESS') == self.system.address):
            sys.exit('timesync_test.py: refusing to go on: the bus variable no longer names the private bus')
        env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=bus.address, QT_QPA_PLATFORM='offscreen',
                   XDG_RUNTIME_DIR=HARNESS.path('runtime'))
        os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700, exist_ok=True)
        if vouch:
            env['TOCKLY_TEST_PRIVATE_SYSTEM_BUS'] = bus.address
        result = subprocess.run([PROBE, scenario], env=env, capture_output=True, text=True, timeout=60, check=False)
        if result.returncode != 0:
            return result.returncode, None
        report = json.loads(result.stdout.strip().splitlines()[-1])
        self.assertTrue(report['finished'], 'the synchronisation never ended')
        print(f"{scenario}: {report['elapsed_ms']:.1f} ms, {report['paints']} paints, "
              f"longest gap {report['longest_paint_gap_ms']:.1f} ms", end=' ', flush=True)
        return 0, report

    def set_time_calls(self):
        return [[int(args[0]), bool(args[1]), bool(args[2])]
                for _, args in self.timedated.GetMethodCalls('SetTime', dbus_interface=MOCK)]

    def set_time_received(self):
        """When timedated received the last SetTime, from its log (milliseconds)."""
        with open(self.log, encoding='utf-8') as log:
            stamps = [float(line.split()[0]) for line in log if line.split()[1:2] == ['SetTime']]
        return stamps[-1]

    def test_a_good_reply_sets_the_clock_and_says_so(self):
        _, report = self.probe('good')
        self.assertTrue(report['result'])
        calls = self.set_time_calls()
        self.assertEqual(len(calls), 1)
        usec, relative, interactive = calls[0]
        self.assertEqual((relative, interactive), (False, True))
        expected = (self.set_time_received() + report['offset']) * 1e6
        self.assertLess(abs(usec - expected), 5000)
        self.assertEqual(len(report['notices']), 1)
        self.assertRegex(report['notices'][0], r'^Tockly成功同步了您的系统时间；\r\n时间校正：12\.5\d{5}秒；\r\n'
                                               r'往返延迟：\d\.\d{6}秒；\r\n当前时间：\n\d{4}年\d\d月\d\d日, \d\d:\d\d:\d\d$')
        self.assertEqual(report['questions'], [])

    def test_a_reply_to_another_request_is_skipped_for_the_right_one(self):
        _, report = self.probe('stray-then-good')
        self.assertTrue(report['result'])
        self.assertEqual(report['questions'], [], 'the stray reply, ten years off, was taken for an answer')
        calls = self.set_time_calls()
        self.assertEqual(len(calls), 1)
        self.assertLess(abs(calls[0][0] - (self.set_time_received() + report['offset']) * 1e6), 5000)

    def test_silence_times_out_after_five_seconds_while_the_window_repaints(self):
        _, report = self.probe('silence')
        self.assertFalse(report['result'])
        self.assertEqual(report['requests'], 1)
        self.assertEqual(report['notices'], ['连接时间服务器超时，服务器没有应答。#10060'])
        self.assertGreaterEqual(report['elapsed_ms'], 5000)
        self.assertLess(report['elapsed_ms'], 6500)
        # Asked every 5 ms: a window that froze for the exchange would paint
        # a handful of times with one gap of five seconds.
        self.assertGreater(report['paints'], 250)
        self.assertLess(report['longest_paint_gap_ms'], 500)
        self.assertEqual(self.set_time_calls(), [])

    def test_a_kiss_o_death_is_reported_and_the_clock_left_alone(self):
        _, report = self.probe('kiss-o-death')
        self.assertFalse(report['result'])
        self.assertEqual(report['notices'],
                         [f"时间服务器{report['server']}拒绝了同步请求（RATE），请稍后再试或改用其他服务器。"])
        self.assertEqual(self.set_time_calls(), [])

    def test_a_refusal_by_timedated_is_reported(self):
        refuse = ('raise dbus.exceptions.DBusException("Automatic time synchronization is enabled", '
                  'name="org.freedesktop.timedate1.AutomaticTimeSyncEnabled")')
        self.timedated.AddMethod(TIMEDATE, 'SetTime', 'xbb', '', refuse, dbus_interface=MOCK)
        try:
            _, report = self.probe('good')
        finally:
            self.timedated.AddMethod(TIMEDATE, 'SetTime', 'xbb', '', '', dbus_interface=MOCK)
        self.assertFalse(report['result'])
        self.assertEqual(len(self.set_time_calls()), 1)
        self.assertEqual(report['notices'], [CANNOT_SET])

    def test_without_timedated_the_clock_cannot_be_set(self):
        # A second private bus, with nobody serving timedated on it.
        _, report = self.probe('good', bus=HARNESS.private_bus('session'))
        self.assertFalse(report['result'])
        self.assertEqual(report['notices'], [CANNOT_SET])

    def test_the_probe_refuses_a_bus_the_harness_did_not_vouch_for(self):
        code, _ = self.probe('good', vouch=False)
        self.assertEqual(code, 2)
        self.assertEqual(self.set_time_calls(), [])


if __name__ == '__main__':
    probe_test_main('timesync_test', sys.modules[__name__])
