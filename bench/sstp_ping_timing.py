"""Timed tool run: how fast KORU's window answers while it plays and a
desktop mascot never answers its notices, against the same with SSTP off.

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/sstp_ping_timing.py
"""

import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from koru_e2e import Koru, Mascot, MascotMutex, windows_path, write_wav  # noqa: E402


def ping_times(sstp, pings):
    koru = Koru("bench-sstp")
    mascot = Mascot(11000, answers=False)
    try:
        koru.write_ini(f"[FORM]\nleft=40\ntop=40\n[OPT]\nsstp={sstp}\n")
        song = koru.path("long.wav")
        write_wav(song, pings * 0.2 + 20)
        with MascotMutex(koru):
            koru.start_owner()
            koru.run_sender(windows_path(song))
            koru.wait_caption("[long.wav] - KORU", 30)
            times = []
            for _ in range(pings):
                code, out = koru.probe("ping", "TfrmMain", "10000")
                if code != 0:
                    raise AssertionError("the window did not answer within 10 s")
                times.append(float(out.strip()))
            koru.close_owner()
        return times
    finally:
        koru.kill()
        mascot.close()


def main(pings=50):
    for sstp in (0, 1):
        times = ping_times(sstp, pings)
        print(f"sstp={sstp}, silent mascot: WM_NULL round trip over {pings} pings: "
              f"min {min(times):.1f} ms, median {statistics.median(times):.1f} ms, max {max(times):.1f} ms")


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 50)
