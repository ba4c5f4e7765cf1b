"""Timed tool run: how long the title menu of a full list (9,999 entries)
takes to open, from the right button on the title line until the menu shows,
and how long the window then takes to answer. Target: 0.5 s.

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/title_menu_timing.py
"""

import os
import sys
import time

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
        # The probe's own start-up is measured alone and taken off.
        started = time.monotonic()
        koru.probe("list", "TfrmMain")
        probe_alone = time.monotonic() - started
        for run in range(runs):
            started = time.monotonic()
            code, out = koru.probe("context-menu", "TfrmMain", str(LBL_TITLE), "60000")
            shown = time.monotonic() - started - probe_alone
            koru.probe("close-menu")
            print(f"run {run + 1}: title menu shown after {shown:.3f} s, WM_NULL answered in {out.strip()} ms"
                  + ("" if code == 0 else " (failed)"))
        koru.close_owner()
    finally:
        koru.kill()


if __name__ == "__main__":
    main()
