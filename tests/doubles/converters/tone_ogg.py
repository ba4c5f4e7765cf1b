#!/usr/bin/env python3
"""Writes an Ogg Vorbis tone with oggenc (Debian's vorbis-tools).

  tone_ogg.py OUT.ogg SECONDS [FREQUENCY]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave


def write_tone_ogg(path, seconds, frequency=440, rate=22050):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, "tone.wav")
        with wave.open(source, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(rate)
            w.writeframes(b"".join(struct.pack("<h", int(6000 * math.sin(2 * math.pi * frequency * i / rate)))
                                   for i in range(int(rate * seconds))))
        subprocess.run(["oggenc", "-Q", "-q", "0", "-o", path, source], check=True)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        sys.exit(2)
    write_tone_ogg(sys.argv[1], float(sys.argv[2]), float(sys.argv[3]) if len(sys.argv) == 4 else 440)
