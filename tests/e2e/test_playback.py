"""A list plays by itself: one piece after the other, again from the top with
repeat on, once through with "/1"; failures show in the title line."""

import shutil
import time
import unittest

from koru_e2e import ARTIFACTS_DIR, KoruTestCase, ini_value, windows_path, write_wav

IDM_FUNC_SPOT = 1101
IDM_FUNC_STOP = 1102


class PlaybackTest(KoruTestCase):
    def tone(self, name, seconds=1.5, frequency=440):
        path = self.koru.path(name)
        write_wav(path, seconds, frequency)
        return windows_path(path)

    def test_a_handed_over_list_plays_through_and_starts_again(self):
        koru = self.koru
        files = [self.tone("one.wav", 2.0, 440), self.tone("two.wav", 1.5, 550), self.tone("three.wav", 1.5, 660)]
        koru.start_owner()
        started = time.monotonic()
        self.assertEqual(koru.run_sender(*files), 1)
        self.assertEqual(koru.wait_caption("[one.wav] - KORU", 20), "[one.wav] - KORU")

        # While the first piece plays: the control bar, playing and paused.
        koru.screenshot("control-bar-playing")
        koru.command(IDM_FUNC_SPOT)
        # lblSpotF, the PAUSE caption under sbtFuncSpot (224, 5), turns pure green.
        self.assertTrue(koru.wait_colour(216, 28, 40, 9, 0x00FF00), "paused")
        koru.screenshot("control-bar-paused")
        koru.command(IDM_FUNC_SPOT)

        for title in ("[two.wav] - KORU", "[three.wav] - KORU", "[one.wav] - KORU"):
            self.assertEqual(koru.wait_caption(title, 20), title, "then " + title)
        self.assertLess(time.monotonic() - started, 40)
        self.assertEqual(koru.close_owner(), 0)

        ini = koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "MPL", "play"), "111", "every piece is marked played")
        self.assertEqual(ini_value(ini, "MPL", "track"), "0", "the first piece plays again")
        self.assertEqual(ini_value(ini, "MPL", "repeat"), "1")

    def test_slash_one_plays_each_piece_once_and_says_so_in_the_caption(self):
        koru = self.koru
        first = self.tone("first.wav", 1.0)
        second = self.tone("second.wav", 1.0)
        koru.start_owner("/1", first, second)
        caption = koru.wait_caption("[first.wav] - KORU - リピートなし", 20)
        self.assertEqual(caption, "[first.wav] - KORU - リピートなし")
        self.assertTrue(koru.wait_enabled(IDM_FUNC_STOP, False, 10), "the first piece ends and nothing follows")
        self.assertEqual(koru.caption(), "[first.wav] - KORU - リピートなし", "playback stopped at the end")
        self.assertEqual(koru.close_owner(), 0)
        ini = koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "MPL", "play"), "10")
        self.assertEqual(ini_value(ini, "MPL", "track"), "0")

    def test_a_missing_file_shows_in_the_caption(self):
        koru = self.koru
        koru.start_owner()
        koru.run_sender(windows_path(koru.path("gone.wav")))
        self.assertEqual(koru.wait_caption("ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません", 20), "ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません - KORU")
        self.assertEqual(koru.close_owner(), 0)


if __name__ == "__main__":
    unittest.main()
