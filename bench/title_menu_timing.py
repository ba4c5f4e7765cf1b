"""Timed tool run: how long the title menu of a full list (9,999 entries)
takes to open, from the right button on the title line until the menu shows,
and how long the window then takes to answer. Target: 0.5 s.

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/title_menu_timing.py
"""

import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from koru_e2e import Koru, list_file  # noqa: E402

LBL_TITLE = 2003


def main(runs=5):
    koru = Koru("bench-title-menu")
    try:
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(b"[FORM]\r\nleft=40\r\ntop=40\r\n[LIST]\r\ncount=9999\r\n[MOUSE]\r\ntitler=1\r\n")
        with open(koru.path("_default.mpl"), "wb") as f:
            f.write(list_file([f"C:\\m\\{i:04}.mid" for i in range(9999)]))
        koru.start_owner()
        shown_times = []
        for run in range(runs):
            # The probe times the menu from its own post of the right click.
            code, out = koru.probe("context-menu", "TfrmMain", str(LBL_TITLE), "60000")
            koru.probe("close-menu")
            if code != 0:
                print(f"run {run + 1}: the title menu did not open, or the window did not answer")
                continue
            shown_ms, answered_ms = (int(value) for value in out.split())
            shown_times.append(shown_ms)
            print(f"run {run + 1}: title menu shown after {shown_ms} ms, WM_NULL answered in {answered_ms} ms")
        if shown_times:
            median = statistics.median(shown_times)
            print(f"median of {len(shown_times)}: {median:.0f} ms (target <= 500 ms): "
                  + ("met" if median <= 500 else "MISSED"))
        koru.close_owner()
    finally:
        koru.kill()


if __name__ == "__main__":
    main()
