#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The clock's digits copied on the X server: digit_blit_probe runs the clock
window under a private Xvfb at 100 % and 200 % and checks the server's pixels.

Usage: /usr/bin/python3 digit_blit_test.py PATH/TO/digit_blit_probe [unittest options]
"""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from harness import probe_test_main  # noqa: E402

PROBE = None
HARNESS = None


class DigitBlitTest(unittest.TestCase):
    def test_copied_digits_are_the_painted_ones_at_each_scale(self):
        display = HARNESS.xvfb()
        for scale in ('1', '2'):
            with self.subTest(scale=scale):
                env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM='xcb', QT_SCALE_FACTOR=scale,
                           XDG_RUNTIME_DIR=HARNESS.path('runtime'))
                os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700, exist_ok=True)
                result = subprocess.run([PROBE], env=env, capture_output=True, text=True, timeout=60)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


if __name__ == '__main__':
    probe_test_main('digit_blit_test', sys.modules[__name__])
