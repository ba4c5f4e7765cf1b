"""KORU never writes over a list or a KORU.ini it could not take in whole."""

import glob
import os
import unittest

from koru_e2e import IDNO, KoruTestCase, is_player_message_dialog, list_file, windows_path

LIST_FULL = "最大ﾘｽﾄ数を越えて登録する事はできません。"


def midiplay_list(paths):
    lines = ["[MIDIPLAY]", f"numtracks={len(paths)}"] + [f"{n}={path}" for n, path in enumerate(paths)]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


class FilesKeptTest(KoruTestCase):
    def test_lists_longer_than_the_list_are_refused_and_no_list_file_changes(self):
        koru = self.koru
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(b"[LIST]\r\ncount=100\r\n")
        files = {
            koru.path("_default.mpl"): list_file([f"C:\\m\\{i}.mid" for i in range(3)]),
            koru.path("own.mpl"): list_file([f"C:\\m\\own{i:03}.mid" for i in range(150)]),
            koru.path("drops/midiplay.mpl"): midiplay_list([f"C:\\m\\mp{i:03}.mid" for i in range(150)]),
        }
        os.makedirs(koru.path("drops"))
        for path, data in files.items():
            with open(path, "wb") as f:
                f.write(data)

        koru.start_owner()
        for dropped in (koru.path("own.mpl"), koru.path("drops/midiplay.mpl")):
            self.assertEqual(koru.run_sender(windows_path(dropped)), 1)
            texts = koru.dialog_texts()
            self.assertIsNotNone(texts, f"no message for {dropped}")
            self.assertIn(LIST_FULL, texts)
            self.assertTrue(is_player_message_dialog(texts), texts)
            self.assertEqual(koru.probe("click", "#32770", "OK")[0], 0)
            self.assertTrue(koru.wait_dialog_gone())
        self.assertEqual(koru.close_owner(), 0)

        for path, data in files.items():
            with open(path, "rb") as f:
                self.assertEqual(f.read(), data, path)
        self.assertEqual(sorted(os.path.basename(p) for p in glob.glob(koru.path("*.mpl"))),
                         ["_default.mpl", "own.mpl"], "no list was saved under another name")

    def test_a_koru_ini_another_program_holds_is_left_as_it_was(self):
        koru = self.koru
        ini = "[MPL]\r\nrepeat=0\r\n; the user's notes\r\n".encode("cp932")
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(ini)
        holder = koru.hold("KORU.ini")
        try:
            koru.start_owner(wait=False)
            texts = koru.dialog_texts()
            self.assertIsNotNone(texts, "no message at start-up")
            self.assertIn("KORU.iniを読み込めませんでした。", texts)
            self.assertFalse(is_player_message_dialog(texts), "the system message box says so")
        finally:
            holder.release()
        self.assertTrue(koru.answer_dialog(1))
        self.assertIsNotNone(koru.wait_window())
        koru.answer_first_start(IDNO)  # no window position could be read
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(koru.read_bytes("KORU.ini"), ini)


if __name__ == "__main__":
    unittest.main()
