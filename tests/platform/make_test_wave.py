# SPDX-License-Identifier: MIT
"""Writes the small sound the platform tests compile in as a Qt resource:
400 frames of 8-bit mono at 8 kHz, a rising tone."""
import math
import sys
import wave

with wave.open(sys.argv[1], 'wb') as out:
    out.setnchannels(1)
    out.setsampwidth(1)
    out.setframerate(8000)
    out.writeframes(bytes(128 + round(100 * math.sin(i * i / 2000)) for i in range(400)))
