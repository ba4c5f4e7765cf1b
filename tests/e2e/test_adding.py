"""What a user hands KORU lands in the list: folders are walked, unknown
types are tried on the media device and the user decides, a full list says so."""

import os
import unittest

from koru_e2e import (KoruTestCase, entries, ini_value, is_player_message_dialog, list_file, windows_path,
                      write_wav)


def ext_rows(ini):
    """The file-type table KORU saved: extension -> category letter."""
    types = ini_value(ini, "EXT", "type") or ""
    return {ini_value(ini, "EXT", str(n)): letter for n, letter in enumerate(types)}


class AddingTest(KoruTestCase):
    def test_a_handed_over_folder_adds_its_media_files_and_nothing_else(self):
        koru = self.koru
        music = koru.path("music")
        os.makedirs(os.path.join(music, "sub"))
        write_wav(os.path.join(music, "a.wav"), 2)
        write_wav(os.path.join(music, "b.wav"), 2)
        write_wav(os.path.join(music, "sub", "c.wav"), 2)
        write_wav(os.path.join(music, ".hidden.wav"), 1)
        with open(os.path.join(music, "notes.txt"), "w") as f:
            f.write("not media")

        koru.start_owner()
        self.assertEqual(koru.run_sender(windows_path(music)), 1)
        self.assertIsNotNone(koru.wait_caption(".wav]"), "playback starts at the folder's first file")
        self.assertEqual(koru.close_owner(), 0)

        saved = entries(koru.read_bytes("_default.mpl"))
        folder = windows_path(music)
        self.assertCountEqual(saved, [folder + "\\a.wav", folder + "\\b.wav", folder + "\\sub\\c.wav"])

    def test_an_unknown_type_the_device_plays_is_registered_when_the_user_agrees(self):
        koru = self.koru
        tone = koru.path("tone.mpv")  # the device knows this type, KORU's table does not
        write_wav(tone, 1)
        koru.start_owner()
        self.assertEqual(koru.run_sender(windows_path(tone)), 1)
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts, "the playability question appears")
        self.assertIn("新しいﾒﾃﾞｨｱ tone.mpv の演奏ﾁｪｯｸに成功しました。", texts)
        self.assertIn("このﾌｧｲﾙﾀｲﾌﾟを演奏可能なﾒﾃﾞｨｱﾌｧｲﾙとして登録します。 よろしいですか？", texts)
        self.assertTrue(koru.answer_dialog(6))
        self.assertIsNotNone(koru.wait_caption("[tone.mpv]"), "the new entry plays")
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(ext_rows(koru.read_bytes("KORU.ini")).get("MPV"), "1")
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [windows_path(tone)])

    def test_an_unknown_type_the_device_cannot_open_is_refused_and_registered_as_non_media(self):
        koru = self.koru
        junk = koru.path("junk.xyz")
        with open(junk, "wb") as f:
            f.write(b"not a medium")
        koru.start_owner()
        koru.run_sender(windows_path(junk))
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts)
        self.assertIn("新しいﾒﾃﾞｨｱ junk.xyz の演奏ﾁｪｯｸに失敗しました!!", texts)
        self.assertTrue(koru.answer_dialog(6))
        self.assertTrue(koru.wait_dialog_gone())
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(ext_rows(koru.read_bytes("KORU.ini")).get("XYZ"), "0")
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [])

    def test_a_full_list_says_so_in_the_players_message_dialog(self):
        koru = self.koru
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(b"[LIST]\r\ncount=100\r\n")
        kept = [f"C:\\m\\{i:03}.mid" for i in range(100)]
        with open(koru.path("_default.mpl"), "wb") as f:
            f.write(list_file(kept))
        koru.start_owner()
        koru.run_sender("C:\\m\\one-too-many.mid")
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts)
        self.assertIn("最大ﾘｽﾄ数を越えて登録する事はできません。", texts)
        self.assertIn("MEDIA-PLAYER - KORU", texts)
        self.assertTrue(is_player_message_dialog(texts))
        koru.screenshot("list-full-message")
        code, _ = koru.probe("click", "#32770", "OK")
        self.assertEqual(code, 0)
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), kept)


if __name__ == "__main__":
    unittest.main()
