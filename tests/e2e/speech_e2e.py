#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The real clock speaks the time: started a few seconds before a five-minute
boundary, it plays an announcement at the boundary, heard on a PulseAudio
null sink's monitor as sound that starts within a second and lasts about as
long as its clips, and the sink's volume is untouched. Without a voice pack
it says so once, and the next announcement (a reminder) stays silent.

The program runs on a clock of its own, shifted by libfaketime preloaded
into it alone (by a whole number of seconds, so its seconds tick with the
real ones), under a private X server and sound server.

Usage: /usr/bin/python3 speech_e2e.py PATH/TO/clock PATH/TO/BUILD/generated
"""

import datetime
import math
import os
import shutil
import struct
import subprocess
import sys
import threading
import time
import wave

sys.dont_write_bytecode = True  # the imports below leave no cache in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import TASK, e2e_main, faketime_env, fail, find_windows, stop_clock, wait_until  # noqa: E402

RATE = 16000
CHUNK_FRAMES = RATE // 100  # 10 ms
SILENCE_DBFS = -55.0
LEAD_SECONDS = 4

CONFIG = '''[Speak Settings]\r
Volume=100\r
TimeCyc=0\r
TimeFormat=0\r
EnableAutoNotifyTime=1\r
EnableTimePreface=1\r
EnableIfChime=1\r
DateTimePre=0\r
EnableLimitTime=0\r
'''

def spoken_clips(hour, minute):
    """The clips of a 12-hour announcement with chime and preface."""
    def number(n):
        if n <= 12 or n % 10 == 0:
            return [7000 + n]
        tens, units = 7000 + n // 10 * 10, n % 10
        return [tens, {1: 7801, 2: 7802}.get(units, 7000 + units)]
    part = 7400 + min(hour // 6, 3)
    minutes = [7000, 7000 + minute] if minute <= 12 else number(minute)
    return [6000, 7500, part, 7000 + (hour if hour <= 12 else hour - 12), 7404] + minutes + [7600]


def clip_seconds(generated, clip):
    path = os.path.join(generated, 'sounds', f'chime{clip}.wav') if clip < 7000 else \
        os.path.join(generated, 'voice', f'{clip}.wav')
    with wave.open(path) as w:
        return w.getnframes() / w.getframerate()


def sink_volume(env):
    return subprocess.run(['pactl', 'get-sink-volume', 'tockly_test'], env=env, capture_output=True, text=True,
                          check=True).stdout.strip()


class Recorder:
    """The sink's monitor, read as it arrives: each 10 ms chunk's level with
    the moment it came in."""

    def __init__(self, harness, env):
        self.levels = []
        self.process = subprocess.Popen(['parec', '--raw', '--format=s16le', f'--rate={RATE}', '--channels=1',
                                         '--latency-msec=10', '--device=tockly_test.monitor'],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
        harness.processes.append(self.process)
        self.thread = threading.Thread(target=self.read, daemon=True)
        self.thread.start()

    def read(self):
        size = CHUNK_FRAMES * 2
        while True:
            chunk = self.process.stdout.read(size)
            if len(chunk) < size:
                return
            samples = struct.unpack(f'<{CHUNK_FRAMES}h', chunk)
            rms = math.sqrt(sum(s * s for s in samples) / CHUNK_FRAMES) / 32768
            self.levels.append((time.time(), 20 * math.log10(max(rms, 1e-9))))

    def sounding(self):
        return [t for t, level in self.levels if level > SILENCE_DBFS]


def next_boundary(lead):
    """A real second `lead` seconds ahead, and the shift that puts the next
    five-minute boundary of local time there."""
    real = math.ceil(time.time()) + lead
    local = datetime.datetime.fromtimestamp(real)
    boundary = local.replace(second=0) + datetime.timedelta(minutes=(5 - local.minute % 5) % 5)
    if boundary < local:
        boundary += datetime.timedelta(minutes=5)
    return real, int(boundary.timestamp()) - real, boundary


def run(harness, clock, generated):
    display = harness.xvfb()
    session = harness.private_bus('session')
    pulse = harness.pulseaudio()
    if not pulse:
        fail('no sound server could be started')
    env = dict(os.environ, DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=session.address, PULSE_SERVER=pulse,
               XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    announces_at_the_boundary(harness, env, clock, generated)
    tells_once_without_a_pack(harness, env, clock)


def announces_at_the_boundary(harness, env, clock, generated):
    home = harness.path('home')
    os.makedirs(home)
    with open(os.path.join(home, 'CONFIG.INI'), 'w', encoding='utf-8', newline='') as out:
        out.write(CONFIG)
    volume_before = sink_volume(env)
    recorder = Recorder(harness, env)
    real, offset, boundary = next_boundary(LEAD_SECONDS)
    clips = spoken_clips(boundary.hour, boundary.minute)
    expected = sum(clip_seconds(generated, c) for c in clips)

    process = harness.start([clock, '--home', home], 'clock.log', faketime_env(env, offset))
    wait_until(lambda: time.time() > real + expected + 2.5, timeout=LEAD_SECONDS + expected + 10,
               what='the announcement to pass')
    heard = recorder.sounding()
    if not heard:
        fail(f'nothing heard at {boundary:%H:%M}')
    start, end = heard[0], heard[-1]
    # The longest stretch without sound inside the announcement.
    gap = max((b - a for a, b in zip(heard, heard[1:])), default=0)
    print(f'{boundary:%H:%M}: clips {clips}; sound from {start - real:+.3f} s to {end - real:+.3f} s after the '
          f'boundary ({end - start:.2f} s, the clips last {expected:.2f} s); longest pause {gap * 1000:.0f} ms')
    if not -0.05 <= start - real <= 1.0:
        fail(f'the announcement began {start - real:+.3f} s from the boundary')
    if not expected * 0.9 <= end - start <= expected + 0.25 * len(clips) + 0.5:
        fail(f'the announcement lasted {end - start:.2f} s for {expected:.2f} s of clips')
    if gap > 0.5:
        fail(f'a pause of {gap * 1000:.0f} ms between clips')
    if sink_volume(env) != volume_before:
        fail(f'the sink volume changed: {volume_before} -> {sink_volume(env)}')

    stop_clock(harness, process)
    harness.stop(recorder.process)


def tells_once_without_a_pack(harness, env, clock):
    # A copy of the program with no Voice folder beside it or in its home.
    bare = harness.path('bare')
    home = os.path.join(bare, 'home')
    os.makedirs(home)
    shutil.copy(clock, bare)
    with open(os.path.join(home, 'CONFIG.INI'), 'w', encoding='utf-8', newline='') as out:
        out.write(CONFIG)
    real, offset, boundary = next_boundary(LEAD_SECONDS)
    # A reminder three seconds after the boundary announces the time too.
    due = boundary + datetime.timedelta(seconds=3)
    with open(os.path.join(home, 'alarms.lst'), 'w', encoding='utf-8', newline='') as out:
        out.write('[Common]\r\nNumofAlarms=1\r\n')
        out.write(TASK.format(number=0, due=f'{due:%Y-%m-%d %H:%M:%S}', day=f'{due:%Y-%m-%d}', description='语音',
                              message='提醒之前报时', sound='', mode=0, option=0, countdown=30, path=''))

    process = harness.start([os.path.join(bare, 'clock'), '--home', home], 'bare-clock.log',
                            faketime_env(env, offset))
    wait_until(lambda: find_windows(env, '^Tockly$'), timeout=LEAD_SECONDS + 5, what='the missing pack message')
    told = time.time() - real
    wait_until(lambda: find_windows(env, f'^提醒 - {due:%Y-%m-%d %H:%M:%S}$'), timeout=10, what='the reminder')
    time.sleep(1)
    boxes = find_windows(env, '^Tockly$')
    print(f'without a pack: told {told:+.3f} s after the boundary; message boxes after the reminder: {len(boxes)}')
    if len(boxes) != 1:
        fail(f'{len(boxes)} message boxes instead of one')
    subprocess.run(['xdotool', 'windowfocus', '--sync', boxes[0]], env=env, check=False)
    subprocess.run(['xdotool', 'key', 'Return'], env=env, check=False)
    wait_until(lambda: not find_windows(env, '^Tockly$'), timeout=5, what='the message box to close')
    time.sleep(1.5)
    if find_windows(env, '^Tockly$'):
        fail('the missing pack was reported again')

    stop_clock(harness, process)


if __name__ == '__main__':
    e2e_main('speech', run, 'PATH/TO/clock PATH/TO/BUILD/generated')
