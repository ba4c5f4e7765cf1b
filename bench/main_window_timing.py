"""Timed tool run: the main window's list stays instant with 9,999 entries.

Medians of 5 of: a full refresh of the list (the "apply settings" command,
which applies the settings and refreshes every row, repaint included) with
9,999 entries against 40; one page scrolled with 9,999 entries against 100;
sizing the columns by their texts with 9,999 entries; and the time from
start to a shown list with 9,999 entries against an empty one. Printed with
the machine's load, and held against the targets.

Run inside a started harness, after building win64:
  scripts/wine-harness.sh start build/bench-harness
  KORU_HARNESS_DIR=build/bench-harness KORU_BUILD_DIR=$PWD/build/win64 python3 bench/main_window_timing.py
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from koru_e2e import BUILD_DIR, ENV, LIST_HEADER, WINE, Koru  # noqa: E402

LIST_VIEW_ID = 2010
IDM_CONFIG_APPLY = 1301
IDM_FILE_WIDTH2 = 1010
RUNS = 5


def write_player(koru, count):
    """A list of `count` entries with every column filled, shown at start."""
    text = LIST_HEADER
    for i in range(count):
        text += (f"a:C:\\音楽\\アルバム{i % 50:02d}\\曲{i:04d}.mid\r\nb:\r\nc:タイトル {i} の長い名前\r\n"
                 f"d:{(i * 7919) % 600000}\r\ne:SMF\r\nf:作者 {i % 30}\r\ng:(C) {i}\r\nh:音源 {i % 7}\r\ni:\r\nj:{i % 4}\r\n@\r\n")
    with open(koru.path("_default.mpl"), "wb") as f:
        f.write(text.encode("cp932"))
    ini = ("[FORM]\r\nleft=20\r\ntop=20\r\nwidth=640\r\nheight=480\r\nextend=1\r\n"
           "[LIST]\r\ncheck=111111111\r\nauto=0\r\n")
    with open(koru.path("KORU.ini"), "wb") as f:
        f.write(ini.encode("cp932"))


def wait_list(koru, count):
    code, _ = koru.probe("wait-list", "TfrmMain", str(LIST_VIEW_ID), str(count), "60000")
    if code != 0:
        raise AssertionError(f"the list of {count} entries did not show")


def timed(koru, *what):
    samples = []
    for _ in range(RUNS):
        code, out = koru.probe("time", "TfrmMain", str(LIST_VIEW_ID), *what)
        if code != 0:
            raise AssertionError(f"time {what} failed")
        samples.append(float(out.strip()))
    return statistics.median(samples)


def with_player(count, work):
    koru = Koru(f"bench{count}")
    try:
        write_player(koru, count)
        koru.start_owner()
        wait_list(koru, count)
        return work(koru)
    finally:
        if koru.owner and koru.owner.poll() is None:
            koru.close_owner()
        koru.kill()


def refresh_and_scroll(koru):
    refresh = timed(koru, "command", str(IDM_CONFIG_APPLY))
    page = timed(koru, "page")
    autosize = []
    for _ in range(RUNS):
        # The apply command refreshes the rows, which forgets the measured texts.
        koru.probe("command", "TfrmMain", str(IDM_CONFIG_APPLY))
        autosize.append(float(koru.probe("time", "TfrmMain", str(LIST_VIEW_ID), "command", str(IDM_FILE_WIDTH2))[1]))
    return refresh, page, statistics.median(autosize)


def start_up(count):
    samples = []
    for _ in range(RUNS):
        koru = Koru(f"start{count}")
        try:
            write_player(koru, count)
            probe = subprocess.Popen([WINE, os.path.join(BUILD_DIR, "koru_probe.exe"), "wait-list", "TfrmMain",
                                      str(LIST_VIEW_ID), str(count), "60000"], env=ENV, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
            if probe.stdout.readline().strip() != b"ready":
                raise AssertionError("the probe did not start")
            started = time.monotonic()
            koru.start_owner(wait=False)
            if probe.stdout.readline().strip() != b"shown":
                raise AssertionError(f"the list of {count} entries did not show")
            samples.append(time.monotonic() - started)
            probe.wait()
            koru.close_owner()
        finally:
            koru.kill()
    return statistics.median(samples)


def main():
    print(f"load average before: {os.getloadavg()}")
    refresh_40, _, _ = with_player(40, refresh_and_scroll)
    page_100 = with_player(100, lambda koru: timed(koru, "page"))
    refresh_9999, page_9999, autosize_9999 = with_player(9999, refresh_and_scroll)
    start_empty = start_up(0)
    start_9999 = start_up(9999)
    print(f"load average after: {os.getloadavg()}")
    results = [
        ("full refresh, 9,999 vs 40 entries (ms)", refresh_9999, refresh_40, refresh_9999 <= 1.5 * refresh_40,
         "<= 1.5 x"),
        ("page scroll, 9,999 vs 100 entries (ms)", page_9999, page_100, page_9999 <= 1.3 * page_100, "<= 1.3 x"),
        ("columns by text, 9,999 entries (ms)", autosize_9999, None, autosize_9999 <= 50, "<= 50 ms"),
        ("start to a shown list, 9,999 vs empty (s)", start_9999, start_empty, start_9999 <= start_empty + 0.3,
         "<= empty + 0.3 s"),
    ]
    failed = False
    for name, value, base, ok, target in results:
        against = f" against {base:.2f}" if base is not None else ""
        print(f"{name}: median {value:.2f}{against} (target {target}): {'met' if ok else 'MISSED'}")
        failed |= not ok
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
