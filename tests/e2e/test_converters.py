"""OGG and RCP files play through the converter libraries beside KORU.exe (the
doubles of ogog.dll and RCPCV.DLL): the conversion shows in the caption, a
decoded WAV is kept read-only for the rest of the run and serves only the
file it was decoded from, a missing library shows its failure text, and
KORUTEMP is empty at exit."""

import glob
import os
import shutil
import stat
import sys
import unittest

from koru_e2e import BUILD_DIR, ENV, KoruTestCase, wait_until, windows_path

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "doubles", "converters"))
from tone_ogg import write_tone_ogg  # noqa: E402

RCP_HEADER = b"RCM-PC98V2.0(C)COME ON MUSIC"
# What the RCPCV.DLL double makes of every RCP file.
DOUBLE_SMF = bytes.fromhex(
    "4d546864 00000006 0000 0001 01e0 4d54726b 00000026 00ff5103 07a120"
    "00903c60 8360 803c00 00904060 8360 804000 00904360 8360 804300 00ff2f00")
CONVERTING = "OGGﾌｧｲﾙを変換中です…"
OGG_FAILED = "OGGﾌｧｲﾙが変換できません"
RCP_FAILED = "RCPﾌｧｲﾙが変換できません"


def koru_temp():
    """KORUTEMP of the harness's prefix (Wine sets TEMP itself)."""
    found = glob.glob(os.path.join(ENV["WINEPREFIX"], "drive_c", "users", "*", "Temp", "KORUTEMP"))
    return found[0] if found else None


def read_only(path):
    return not os.stat(path).st_mode & stat.S_IWUSR


def saved_times(list_bytes):
    """(path, time) of each entry of a saved list file."""
    lines = list_bytes.split(b"\r\n")
    paths = [line[2:].decode("cp932") for line in lines if line.startswith(b"a:")]
    times = [int(line[2:] or b"0") for line in lines if line.startswith(b"d:")]
    return list(zip(paths, times))


class ConvertersTest(KoruTestCase):
    def setUp(self):
        super().setUp()
        self.log = self.koru.path("calls.log")

    def beside_koru(self, *libraries):
        for library in libraries:
            shutil.copy(os.path.join(BUILD_DIR, "doubles", "x86_64", library), self.koru.folder)

    def ogg(self, name, seconds, frequency=440):
        path = self.koru.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_tone_ogg(path, seconds, frequency)
        return windows_path(path)

    def decodes(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, "rb") as f:
            return [line.split(b"\t")[2].split(b" ")[0].decode("cp932") for line in f.read().split(b"\n")
                    if line.count(b"\t") == 2 and line.split(b"\t")[1] == b"OGG_DecodeFile"]

    def wait_for_caption(self, texts, timeout=20):
        """The first caption that contains one of texts, or None."""
        found = []
        wait_until(lambda: found.append(self.koru.caption() or "") or any(t in found[-1] for t in texts), timeout)
        return found[-1] if found and any(t in found[-1] for t in texts) else None

    def test_ogg_files_are_decoded_once_each_and_play_their_own(self):
        koru = self.koru
        self.beside_koru("ogog.dll")
        song = self.ogg("song.ogg", 4.0)
        first = self.ogg(os.path.join("A", "a.ogg"), 1.0, 550)
        second = self.ogg(os.path.join("B", "a.ogg"), 2.5, 660)
        # Each decoding takes two seconds, so the caption shows it.
        koru.start_owner(env={**ENV, "KORU_DOUBLE_LOG": windows_path(self.log), "KORU_DOUBLE_MISBEHAVE": "slow"})
        koru.run_sender(song, first, second)
        self.assertEqual(koru.wait_caption(CONVERTING, 20), CONVERTING + " - KORU")
        koru.screenshot("ogg-converting")
        # The title comes from the file the device plays.
        self.assertEqual(koru.wait_caption("[song.ogg.wav] - KORU", 20), "[song.ogg.wav] - KORU")
        wave = os.path.join(koru_temp(), "song.ogg.wav")
        self.assertTrue(os.path.exists(wave) and read_only(wave), "the WAV is kept read-only")

        # The list plays through and starts again: the two a.ogg share one
        # WAV name, and each is decoded from its own file; song.ogg is not
        # decoded again.
        self.assertTrue(wait_until(lambda: len(self.decodes()) == 3, 40), self.decodes())
        self.assertTrue(koru.wait_caption("[a.ogg.wav] - KORU", 20))
        self.assertTrue(koru.wait_caption("[song.ogg.wav] - KORU", 20))
        self.assertEqual(self.decodes()[:3], [song, first, second])
        self.assertEqual(self.decodes().count(song), 1)
        self.assertEqual(koru.close_owner(), 0)

        times = dict(saved_times(koru.read_bytes("_default.mpl")))
        for path, seconds in ((song, 4.0), (first, 1.0), (second, 2.5)):
            self.assertAlmostEqual(times[path], seconds * 1000, delta=100, msg=path)
        self.assertEqual(os.listdir(koru_temp()), [], "KORUTEMP is empty at exit")

    def test_rcp_files_convert_and_missing_converters_show_their_failure(self):
        koru = self.koru
        with open(koru.path("song.rcp"), "wb") as f:
            f.write(RCP_HEADER + bytes(200))
        with open(koru.path("plain.rcp"), "wb") as f:
            f.write(b"no RCP header")
        song_ogg = self.ogg("song.ogg", 1.0)
        # Started from a folder that holds both libraries: the current folder
        # is not where libraries are looked for.
        elsewhere = koru.path("elsewhere")
        os.makedirs(elsewhere)
        for library in ("ogog.dll", "RCPCV.DLL"):
            shutil.copy(os.path.join(BUILD_DIR, "doubles", "x86_64", library), elsewhere)
        koru.start_owner(cwd=elsewhere)

        # Neither library is beside KORU.exe yet.
        koru.run_sender(song_ogg)
        self.assertEqual(koru.wait_caption(OGG_FAILED, 20), OGG_FAILED + " - KORU")
        koru.run_sender(windows_path(koru.path("song.rcp")))
        self.assertEqual(koru.wait_caption(RCP_FAILED, 20), RCP_FAILED + " - KORU")

        # RCPCV.DLL put in place is found at the next conversion.
        self.beside_koru("RCPCV.DLL")
        shutil.copy(koru.path("song.rcp"), koru.path("again.rcp"))
        koru.run_sender(windows_path(koru.path("again.rcp")))
        # Without a MIDI output the device either refuses the file with its
        # error text or takes it and plays nothing: either way not the
        # conversion's failure.
        caption = self.wait_for_caption(("ｴﾗｰ:", "[again.rcp.mid] - KORU"))
        self.assertIsNotNone(caption, koru.caption())
        with open(os.path.join(koru_temp(), "again.rcp.mid"), "rb") as f:
            self.assertEqual(f.read(), DOUBLE_SMF)

        koru.run_sender(windows_path(koru.path("plain.rcp")))
        self.assertEqual(koru.wait_caption(RCP_FAILED, 20), RCP_FAILED + " - KORU")
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(os.listdir(koru_temp()), [], "KORUTEMP is empty at exit")


if __name__ == "__main__":
    unittest.main()
