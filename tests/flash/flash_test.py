#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""libtktime32 as another program sees it: flash_probe, a C program, loads it
with dlopen under a private X server (Xvfb) and a private PulseAudio server
with a null sink, and reports what FlashScreen did; this script judges it.
It also reads the WAVE built into the library and its exported symbols.

Usage: /usr/bin/python3 flash_test.py PATH/TO/flash_probe PATH/TO/libtktime32.so [unittest options]

Every process started here is stopped on the way out, pass or fail.
"""

import os
import re
import struct
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import Harness, stop_on_signals, wait_until  # noqa: E402

PROBE = None
LIBRARY = None
HARNESS = None

STEPS = ((0, 5), (5, 0), (0, -5), (-5, 0))
FRAME_BYTES = 4  # 16-bit stereo
RATE = 44100

# twm frames windows with its own title font; "fixed" is the one font every
# X server has.
TWMRC = ''.join(f'{kind} "fixed"\n' for kind in ('TitleFont', 'ResizeFont', 'MenuFont', 'IconFont',
                                                  'IconManagerFont'))


def shake_around(x, y):
    return [(x + dx, y + dy) for _ in range(5) for dx, dy in STEPS]


def positions(text):
    return [tuple(int(v) for v in pair.split(',')) for pair in text.split()]


def embedded_wave():
    """The WAVE file inside the library's read-only data, as (header, samples)."""
    rodata = HARNESS.path('rodata.bin')
    subprocess.run(['objcopy', '-O', 'binary', '--only-section=.rodata', LIBRARY, rodata], check=True)
    with open(rodata, 'rb') as f:
        data = f.read()
    starts = [m.start() for m in re.finditer(b'RIFF....WAVE', data, re.DOTALL)]
    if len(starts) != 1:
        raise AssertionError(f'{len(starts)} WAVE files in the library\'s data')
    size = struct.unpack_from('<I', data, starts[0] + 4)[0] + 8
    image = data[starts[0]:starts[0] + size]
    return image[:44], image[44:]


class FlashTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = HARNESS.xvfb()
        cls.pulse = HARNESS.pulseaudio()
        if not cls.pulse:
            raise RuntimeError('the private sound server did not start')

    def env(self, display=True, sound=True):
        env = dict(os.environ, HOME=HARNESS.workdir, XDG_RUNTIME_DIR=HARNESS.path('runtime'))
        os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700, exist_ok=True)
        env.pop('DISPLAY', None)
        env.pop('WAYLAND_DISPLAY', None)
        if display:
            env['DISPLAY'] = self.display
        # No server: a socket nobody listens on.
        env['PULSE_SERVER'] = self.pulse if sound else 'unix:' + HARNESS.path('no-such-server')
        return env

    def probe(self, args, env):
        result = subprocess.run([PROBE, args[0], LIBRARY] + args[1:], env=env, capture_output=True, text=True,
                                timeout=30, check=False)
        self.assertEqual(result.returncode, 0, result.stderr)
        # Nothing printed: no X errors, no sound server complaints.
        self.assertEqual(result.stderr, '')
        return result.stdout

    def test_shake_moves_the_window_twenty_times_and_leaves_it_five_pixels_left(self):
        for sound in (True, False):
            with self.subTest(sound_server=sound):
                out = self.probe(['shake'], self.env(sound=sound))
                calls = re.findall(r'call (\d): result (-?\d+), ([\d.]+) ms, positions(.*)', out)
                self.assertEqual(len(calls), 2, out)
                for (_, result, ms, moves), base in zip(calls, ((100, 200), (95, 200))):
                    self.assertEqual(result, '1')
                    self.assertEqual(positions(moves), shake_around(*base))
                    # 20 pauses of 20 ms; the sound never holds the shake up.
                    self.assertGreaterEqual(float(ms), 400)
                    self.assertLess(float(ms), 700)
                print(f'sound server {sound}: {out.strip()}')

    def test_no_window_to_shake_returns_one_at_once(self):
        for display in (True, False):
            for sound in (True, False):
                with self.subTest(display=display, sound_server=sound):
                    out = self.probe(['calls'], self.env(display=display, sound=sound))
                    results = re.findall(r'(\S+): result (-?\d+), ([\d.]+) ms', out)
                    self.assertEqual([name for name, _, _ in results],
                                     ['zero', 'destroyed', 'root', 'all-ones', 'beyond-32-bits'])
                    for name, result, ms in results:
                        self.assertEqual(result, '1', name)
                        self.assertLess(float(ms), 200, name)

    def test_dlclose_after_a_call_unloads_the_library_and_its_thread(self):
        for sound in (True, False):
            with self.subTest(sound_server=sound):
                out = self.probe(['unload'], self.env(sound=sound))
                rounds = re.findall(r'thread, window \d+: mapped (\d), threads (\d+) of (\d+)', out)
                self.assertEqual(len(rounds), 4, out)
                for mapped, threads, before in rounds:
                    self.assertEqual(mapped, '0', out)
                    self.assertEqual(threads, before, out)

    def record(self, gap_ms):
        """What the null sink's monitor hears while the probe plays, as bytes."""
        raw = HARNESS.path('heard.raw')
        env = self.env(display=False)
        with open(raw, 'wb') as out:
            recorder = subprocess.Popen(['parec', '--device=tockly_test.monitor', '--raw', '--format=s16le',
                                         '--channels=2', f'--rate={RATE}', '--latency-msec=20'], stdout=out,
                                        stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, env=env)
        HARNESS.processes.append(recorder)
        try:
            wait_until(lambda: os.path.getsize(raw) > RATE * FRAME_BYTES // 10, what='the recorder')
            self.probe(['play', str(gap_ms)], env)
            time.sleep(0.3)
        finally:
            HARNESS.stop(recorder)
        with open(raw, 'rb') as f:
            return f.read()

    def assertSilent(self, heard, what):
        self.assertEqual(heard.count(0), len(heard), what)

    def test_the_sound_plays_every_sample_of_the_built_in_wave(self):
        _, samples = embedded_wave()
        heard = self.record(0)
        start = heard.find(samples[:4000])
        self.assertGreaterEqual(start, 0, 'the sound was not heard')
        self.assertEqual(heard[start:start + len(samples)], samples)
        self.assertSilent(heard[:start] + heard[start + len(samples):], 'nothing else is heard')
        audible = len(heard.rstrip(b'\0')) - len(heard) + len(heard.lstrip(b'\0'))
        print(f'heard {audible / FRAME_BYTES / RATE * 1000:.0f} ms of sound')

    def test_a_second_call_restarts_the_sound(self):
        _, samples = embedded_wave()
        heard = self.record(300)
        first = heard.find(samples[:4000])
        second = heard.find(samples[:4000], first + FRAME_BYTES)
        self.assertGreaterEqual(first, 0, 'the sound was not heard')
        self.assertGreater(second, first, 'the sound did not start again')
        gap_ms = (second - first) / FRAME_BYTES / RATE * 1000
        print(f'the second sound started {gap_ms:.0f} ms after the first')
        # 300 ms apart, less the first call's wait for its connection.
        self.assertGreater(gap_ms, 200)
        self.assertLess(gap_ms, 600)
        # The first stops short (silence may follow while the second stream
        # sets up), and the second plays alone, whole.
        cut = heard[first:second].rstrip(b'\0')
        self.assertLess(len(cut), len(samples) // 2)
        self.assertEqual(cut, samples[:len(cut)])
        self.assertEqual(heard[second:second + len(samples)], samples)
        self.assertSilent(heard[:first] + heard[second + len(samples):], 'nothing else is heard')

    def test_the_built_in_wave_has_the_known_format(self):
        header, samples = embedded_wave()
        (riff, riff_size, wave, fmt, fmt_size, tag, channels, rate, byte_rate, align, bits, data,
         data_size) = struct.unpack('<4sI4s4sIHHIIHH4sI', header)
        self.assertEqual((riff, wave, fmt, data), (b'RIFF', b'WAVE', b'fmt ', b'data'))
        self.assertEqual(riff_size + 8, 172076)
        self.assertEqual((fmt_size, tag, channels, rate, bits), (16, 1, 2, 44100, 16))
        self.assertEqual((byte_rate, align), (44100 * 4, 4))
        self.assertEqual(data_size, 172032)
        self.assertEqual(len(samples), 172032)

    def test_flashscreen_is_the_only_export(self):
        symbols = subprocess.run(['nm', '-D', '--defined-only', LIBRARY], capture_output=True, text=True,
                                 check=True).stdout.split('\n')
        self.assertEqual([line.split()[-1] for line in symbols if line.strip()], ['FlashScreen'])
        needed = subprocess.run(['readelf', '-d', LIBRARY], capture_output=True, text=True, check=True).stdout
        self.assertNotIn('libQt', needed)

    def test_a_framed_window_shakes_around_where_its_frame_was(self):
        # A window manager of its own on a display of its own. With static
        # gravity twm keeps the window's inside where the window asked to be,
        # so the frame lands above and left of (100, 200) by its decoration.
        display = HARNESS.xvfb()
        rc = HARNESS.path('twmrc')
        with open(rc, 'w', encoding='utf-8') as out:
            out.write(TWMRC)
        env = dict(self.env(sound=False), DISPLAY=display)
        twm = HARNESS.start(['twm', '-f', rc], 'twm.log', env)
        try:
            wait_until(lambda: subprocess.run(['xdotool', 'search', '--name', 'TWM Icon Manager'], env=env,
                                              capture_output=True, check=False).returncode == 0,
                       what='the window manager')
            out = self.probe(['managed', '10'], env)
        finally:
            HARNESS.stop(twm)
        frame = re.search(r'frame at (-?\d+),(-?\d+)', out)
        calls = re.findall(r'call \d: frame positions(.*)', out)
        self.assertTrue(frame and len(calls) == 2, out)
        x, y = int(frame.group(1)), int(frame.group(2))
        self.assertNotEqual((x, y), (100, 200), 'the window was not framed')
        self.assertEqual(positions(calls[0]), shake_around(x, y))
        self.assertEqual(positions(calls[1]), shake_around(x - 5, y))


def main():
    global PROBE, LIBRARY, HARNESS
    if len(sys.argv) < 3:
        sys.exit('usage: flash_test.py PATH/TO/flash_probe PATH/TO/libtktime32.so [unittest options]')
    PROBE = os.path.abspath(sys.argv[1])
    LIBRARY = os.path.abspath(sys.argv[2])
    stop_on_signals()
    HARNESS = Harness('tockly-flash-')
    try:
        unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
    finally:
        HARNESS.close()


if __name__ == '__main__':
    main()
