#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Desktop notes in the real clock: a note marked shown in alarms.lst appears
at its place in its colours (both ends of its gradient), text typed into it
is in alarms.lst after the clock exits, and a note hidden from its own menu
stays hidden after a restart, as does one that was hidden before.

Usage: /usr/bin/python3 notes_e2e.py PATH/TO/clock
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import e2e_main, fail, read_text, stop_clock, wait_until  # noqa: E402


def note_section(number, display, left, top, message, back1, back2, grad, border=0x7F7F7F):
    # Position is stored as left, top, bottom, right.
    return (f'[Note{number:05d}]\r\nDisplay={display}\r\nOnTop=1\r\nPosition={left},{top},{top + 30},{left + 100}\r\n'
            f'Desktop=0\r\nRanColor=0\r\nBorderColor={border}\r\nBackColor1={back1}\r\nBackColor2={back2}\r\n'
            f'TextColor=0\r\nUpdateTime=1700000000\r\nFaceName=宋体\r\nFontHeight=-13\r\nItalic=0\r\n'
            f'Underline=0\r\nWeight=0\r\nMessage={message}\r\nAlign=0\r\nAlpha=255\r\nGrad={grad}\r\n')


RED, BLUE, YELLOW, WHITE, GREEN = 0x0000FF, 0xFF0000, 0x99FFFF, 0xFFFFFF, 0x00FF00


class Display:
    def __init__(self, env):
        self.env = env

    def xdotool(self, *args):
        return subprocess.run(['xdotool', *args], env=self.env, capture_output=True, text=True,
                              check=False).stdout

    def shown_notes(self):
        """The visible note windows as {(left, top): (window, width, height)}."""
        notes = {}
        for window in self.xdotool('search', '--onlyvisible', '--name', '^NOTE_WINDOW_[0-9A-F]+$').split():
            shape = dict(re.findall(r'(\w+)=(\d+)', self.xdotool('getwindowgeometry', '--shell', window)))
            notes[(int(shape['X']), int(shape['Y']))] = (window, int(shape['WIDTH']), int(shape['HEIGHT']))
        return notes

    def pixels(self):
        """The screen as a function (x, y) -> 0x00BBGGRR, like the file's colours."""
        data = subprocess.run(['import', '-window', 'root', '-depth', '8', 'ppm:-'], env=self.env,
                              capture_output=True, check=True).stdout
        header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
        width, raster = int(header.group(1)), data[header.end():]
        return lambda x, y: int.from_bytes(raster[3 * (y * width + x):3 * (y * width + x) + 3], 'little')

    def click(self, window, x, y, button, times=1):
        self.xdotool('mousemove', '--window', window, str(x), str(y))
        for _ in range(times):
            self.xdotool('mousedown', str(button))
            time.sleep(0.05)
            self.xdotool('mouseup', str(button))
            time.sleep(0.05)


def close_to(colour, expected, tolerance=24):
    return all(abs((colour >> shift & 0xFF) - (expected >> shift & 0xFF)) <= tolerance for shift in (0, 8, 16))


def sections(text):
    """The note sections of alarms.lst as {Message: {key: value}}."""
    notes = {}
    for body in re.split(r'^\[Note\d+\]\r?$', text, flags=re.M)[1:]:
        keys = dict(re.findall(r'^(\w+)=(.*?)\r?$', body.split('\n[')[0], flags=re.M))
        notes[keys.get('Message')] = keys
    return notes


def start_clock(harness, clock, home, display, log, shown):
    process = harness.start([clock, '--home', home], log, display.env)
    wait_until(lambda: len(display.shown_notes()) == shown, what=f'{shown} shown notes')
    time.sleep(0.5)  # painted
    return process


def run(harness, clock):
    home = harness.path('home')
    os.makedirs(home)
    alarms = os.path.join(home, 'alarms.lst')
    with open(alarms, 'w', encoding='utf-8', newline='') as out:
        out.write('[Common]\r\nNumofAlarms=0\r\nNumofBirthday=0\r\nNumofNotes=4\r\n')
        out.write(note_section(0, 1, 200, 150, 'Gradient', RED, BLUE, 1, border=GREEN))
        out.write(note_section(1, 0, 200, 400, 'Hidden before', YELLOW, WHITE, 0))
        out.write(note_section(2, 1, 600, 150, 'Hide me', YELLOW, WHITE, 0))
        out.write(note_section(3, 1, 600, 400, 'Up to down', WHITE, RED, 2))

    env = dict(os.environ, DISPLAY=harness.xvfb(), XDG_RUNTIME_DIR=harness.path('runtime'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    display = Display(env)

    process = start_clock(harness, clock, home, display, 'clock-1.log', 3)
    notes = display.shown_notes()
    if set(notes) != {(200, 150), (600, 150), (600, 400)}:
        fail(f'the shown notes are not at their stored places: {sorted(notes)}')
    pixel = display.pixels()
    window, width, height = notes[(200, 150)]
    # Just inside the border on the first row, above the text.
    left, right, border = pixel(200 + 2, 151), pixel(200 + width - 3, 151), pixel(200, 150 + height // 2)
    if not (close_to(left, RED) and close_to(right, BLUE) and close_to(border, GREEN, 0)):
        fail(f'the horizontal gradient reads {left:06X} .. {right:06X} with border {border:06X}')
    _, width, height = notes[(600, 400)]
    top, bottom = pixel(600 + width // 2, 401), pixel(600 + width // 2, 400 + height - 2)
    if not (close_to(top, WHITE) and close_to(bottom, RED)):
        fail(f'the vertical gradient reads {top:06X} .. {bottom:06X}')

    # Hide a note from its own menu.
    hide_me = notes[(600, 150)][0]
    display.click(hide_me, 10, 5, 3)
    time.sleep(0.5)
    display.xdotool('key', 'i')
    wait_until(lambda: (600, 150) not in display.shown_notes(), what='the note to hide')
    # Type into the gradient note and exit while still editing.
    display.click(window, 10, 5, 1, times=2)
    time.sleep(0.5)
    display.xdotool('type', '--delay', '40', 'Typed 42')
    time.sleep(1)
    stop_clock(harness, process)

    saved = sections(read_text(alarms))
    if 'Typed 42' not in saved or saved['Typed 42']['UpdateTime'] == '1700000000':
        fail(f'the typed text was not saved with its time of change: {sorted(saved)}')
    if saved['Hide me']['Display'] != '0' or saved['Hidden before']['Display'] != '0':
        fail('a hidden note was saved as shown')

    process = start_clock(harness, clock, home, display, 'clock-2.log', 2)
    if set(display.shown_notes()) != {(200, 150), (600, 400)}:
        fail(f'after a restart the shown notes are {sorted(display.shown_notes())}')
    stop_clock(harness, process)


if __name__ == '__main__':
    e2e_main('notes', run)
