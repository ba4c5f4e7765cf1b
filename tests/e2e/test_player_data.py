"""KORU keeps the user's list and settings from one run to the next."""

import unittest

from koru_e2e import KoruTestCase, cp932, entries, ini_value

HEADER_LINES = 27


class PlayerDataTest(KoruTestCase):
    def test_first_run_writes_an_empty_list_and_the_settings_beside_the_program(self):
        koru = self.koru
        koru.start_owner()
        self.assertEqual(koru.close_owner(), 0)
        data = koru.read_bytes("_default.mpl")
        self.assertTrue(data.startswith(b"MEDIA-PLAYER KORU List File\r\n"))
        self.assertEqual(data.count(b"\r\n"), HEADER_LINES)
        self.assertIn(cp932("2:ＭＳ Ｐゴシック\r\n"), data)
        ini = koru.read_bytes("KORU.ini")
        self.assertTrue(ini_value(ini, "MPL", "file").endswith("\\_default.mpl"))
        self.assertEqual(ini_value(ini, "MPL", "repeat"), "1")
        self.assertEqual(ini_value(ini, "EXT", "type").count("F"), 1)

    def test_list_settings_and_unknown_keys_survive_a_restart(self):
        koru = self.koru
        koru.start_owner()
        koru.run_sender("C:\\m\\一曲目.mid", "C:\\m\\b.mid", "C:\\m\\c.mid")
        # The batch is complete once its first path is tried: no such file.
        self.assertIsNotNone(koru.wait_caption("ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません"))
        self.assertEqual(koru.close_owner(), 0)

        # The user edits KORU.ini by hand while KORU is closed.
        ini = koru.read_bytes("KORU.ini").decode("cp932")
        self.assertEqual(ini_value(ini.encode("cp932"), "MPL", "track"), "0", "playback starts at the batch's first path")
        ini = ini.replace("\r\ntrack=0\r\n", "\r\ntrack=1\r\n").replace("play=000", "play=101")
        ini += "\r\n; my own notes\r\n[MINE]\r\nkey=値\r\n"
        with open(koru.folder + "/KORU.ini", "wb") as f:
            f.write(ini.encode("cp932"))

        koru.start_owner()
        self.assertEqual(koru.close_owner(), 0)
        ini = koru.read_bytes("KORU.ini")
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), ["C:\\m\\一曲目.mid", "C:\\m\\b.mid", "C:\\m\\c.mid"])
        self.assertEqual(ini_value(ini, "MPL", "track"), "1")
        self.assertEqual(ini_value(ini, "MPL", "play"), "101")
        self.assertEqual(ini_value(ini, "MINE", "key"), "値")
        self.assertIn(cp932("; my own notes"), ini)
        self.assertTrue(ini_value(ini, "LAST", "0").endswith("\\_default.mpl"))


if __name__ == "__main__":
    unittest.main()
