"""A running KORU takes over the command lines of later starts."""

import unittest

from koru_e2e import KoruTestCase


class HandOverTest(KoruTestCase):
    def test_second_instance_hands_its_paths_over_and_ends(self):
        koru = self.koru
        self.assertEqual(koru.start_owner(), "MEDIA-PLAYER - KORU")
        self.assertEqual(len(koru.main_windows()), 1)

        paths = ["C:\\music\\first.mid", "C:\\music\\second.mid", "C:\\music\\third.mid"]
        self.assertEqual(koru.run_sender(*paths), 1, "a later instance returns 1")
        self.assertEqual(koru.run_sender(), 1, "a later instance without paths returns 1 at once")

        self.assertEqual(len(koru.main_windows()), 1, "the later instances showed no window")

        # Once the batch's last record is taken, its first path plays: the
        # file is not there, and the caption says so.
        self.assertIsNotNone(koru.wait_caption("ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません"))
        self.assertEqual(koru.close_owner(), 0, "the owner ends with 0")

        # The list saved at exit shows what the owner received, in order.
        saved = koru.read_bytes("_default.mpl").split(b"\r\n")
        self.assertEqual([line[2:].decode("cp932") for line in saved if line.startswith(b"a:")], paths)


if __name__ == "__main__":
    unittest.main()
