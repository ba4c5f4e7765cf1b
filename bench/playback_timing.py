"""Timed tool run: what KORU costs while it plays, and how soon a handed-over
file starts to play.

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/playback_timing.py
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from koru_e2e import Koru, windows_path, write_wav  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def koru_linux_pids():
    """Linux processes that run KORU.exe (the Wine process carries its name)."""
    out = subprocess.run(["ps", "-eo", "pid,args"], stdout=subprocess.PIPE, text=True).stdout
    return [int(line.split()[0]) for line in out.splitlines()[1:] if "KORU.exe" in line and "wine" not in line.split()[1]]


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def main(seconds=30):
    koru = Koru("bench")
    try:
        long_piece = koru.path("long.wav")
        write_wav(long_piece, seconds + 20)
        koru.start_owner()
        time.sleep(2)
        pids = koru_linux_pids()
        before = sum(cpu_seconds(p) for p in pids)
        time.sleep(seconds / 2)
        idle = sum(cpu_seconds(p) for p in pids) - before
        print(f"CPU while idle (timer ticking): {idle * 120 / seconds:.2f} s per minute")
        started = time.monotonic()
        koru.run_sender(windows_path(long_piece))
        koru.wait_caption("[long.wav] - KORU", 30)
        handover = time.monotonic() - started
        pids = koru_linux_pids()
        before = sum(cpu_seconds(p) for p in pids)
        time.sleep(seconds)
        used = sum(cpu_seconds(p) for p in pids) - before
        print(f"hand-over to playing caption (sender start included): {handover:.2f} s")
        print(f"CPU while playing: {used:.2f} s in {seconds} s = {used * 60 / seconds:.2f} s per minute "
              f"({100 * used / seconds:.1f} % of one core), processes {pids}")
        koru.close_owner()
    finally:
        koru.kill()


if __name__ == "__main__":
    main(int(sys.argv[1]) if len(sys.argv) > 1 else 30)
