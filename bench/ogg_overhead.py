"""Timed tool run: KORU's own overhead on a three-minute OGG file, the OGG
step of the play preparation minus the decoder library's own decoding of the
same file (bench/ogg_overhead_win32.cpp, with the ogog.dll double).

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/ogg_overhead.py
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "doubles", "converters"))
from koru_e2e import BUILD_DIR, ENV, WINE, windows_path  # noqa: E402
from tone_ogg import write_tone_ogg  # noqa: E402


def main(seconds=180, rounds=5):
    with tempfile.TemporaryDirectory(dir=BUILD_DIR) as scratch:
        ogg = os.path.join(scratch, "three-minutes.ogg")
        write_tone_ogg(ogg, seconds)
        print(f"{seconds} s tone, {os.path.getsize(ogg)} bytes of Ogg Vorbis")
        subprocess.run([WINE, os.path.join(BUILD_DIR, "ogg_overhead_win32.exe"), windows_path(ogg),
                        windows_path(os.path.join(BUILD_DIR, "doubles", "x86_64")), str(rounds)],
                       env=ENV, check=True)


if __name__ == "__main__":
    main()
