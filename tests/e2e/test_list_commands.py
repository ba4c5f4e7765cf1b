"""The list from the menus and from outside the window: files dropped from
the shell, the open and save dialogs, a recent list, removing missing files,
a save another program blocks, the tray icon across a shell restart, the end
of the Windows session and the title menu of a long list. Screenshots of the
File menu, the open dialog, the title menu and the tray menu go to the
artifacts folder."""

import os
import unittest

from koru_e2e import (BUILD_DIR, KoruTestCase, entries, ini_value, is_player_message_dialog, list_file, wait_until,
                         windows_path, write_wav)

LBL_TITLE = 2003
LIST_VIEW_ID = 2010
# KORU.ini as a user left it: a window position saved, so no first start.
INI = "[FORM]\r\nleft=40\r\ntop=40\r\n"  # [FORM] keys may follow


class ListCommandsTest(KoruTestCase):
    def start(self, ini="", listed=(), **kwargs):
        koru = self.koru
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write((INI + ini).encode("cp932"))
        with open(koru.path("_default.mpl"), "wb") as f:
            f.write(list_file(listed))
        koru.start_owner(**kwargs)

    def command_id(self, caption):
        code, out = self.koru.probe("menu-id", windows_path(self.koru.exe), caption)
        self.assertEqual(code, 0, caption)
        return int(out.strip())

    def wav(self, name, seconds=30):
        path = self.koru.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_wav(path, seconds)
        return path

    def write(self, name, data=b"x"):
        with open(self.koru.path(name), "wb") as f:
            f.write(data)
        return self.koru.path(name)

    # --- dropped files -----------------------------------------------------------
    def test_of_three_dropped_files_only_the_second_can_be_added_and_it_plays(self):
        koru = self.koru
        paths = [self.write("drop-a.txt"), self.wav("drop-b.wav"), self.write("drop-c.txt")]
        self.start()
        code, _ = koru.probe("drop", "TfrmMain", *[windows_path(p) for p in paths])
        self.assertEqual(code, 0)
        self.assertIsNotNone(koru.wait_caption("[drop-b.wav]"), "the second file plays")
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [windows_path(paths[1])])

    def test_a_drop_on_a_full_list_says_so_once_and_adds_nothing(self):
        koru = self.koru
        kept = [f"C:\\m\\{i:03}.mid" for i in range(100)]
        self.start("[LIST]\r\ncount=100\r\n", kept)
        dropped = [windows_path(self.wav("one.wav", 1)), windows_path(self.wav("two.wav", 1))]
        koru.probe("drop", "TfrmMain", *dropped)
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts)
        self.assertIn("最大ﾘｽﾄ数を越えて登録する事はできません。", texts)
        self.assertTrue(is_player_message_dialog(texts))
        self.assertEqual(koru.probe("click", "#32770", "OK")[0], 0)
        self.assertTrue(koru.wait_dialog_gone())
        code, _ = koru.probe("wait", "#32770", "2000")
        self.assertNotEqual(code, 0, "the drop ends at the first file that does not fit")
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), kept)

    def test_a_dropped_folder_with_links_to_itself_and_its_parent_is_walked_once(self):
        koru = self.koru
        self.wav("loop/a.wav", 5)
        self.wav("loop/sub/b.wav", 5)
        os.symlink(".", koru.path("loop/self"))
        os.symlink("..", koru.path("loop/sub/up"))
        self.start()
        koru.probe("drop", "TfrmMain", windows_path(koru.path("loop")))
        self.assertIsNotNone(koru.wait_caption(".wav]"), "the walk ended and a file plays")
        self.assertEqual(koru.close_owner(), 0)
        folder = windows_path(koru.path("loop"))
        self.assertCountEqual(entries(koru.read_bytes("_default.mpl")), [folder + "\\a.wav", folder + "\\sub\\b.wav"])

    # --- the File menu ---------------------------------------------------------
    def test_open_through_the_dialog_adds_the_file_and_plays_it(self):
        koru = self.koru
        tune = self.wav("tune.wav")
        self.start()
        code, _ = koru.probe("keys", "TfrmMain", "alt+F")
        self.assertEqual(code, 0)
        self.assertEqual(koru.probe("wait-menu", "30000")[0], 0, "the File menu opens")
        koru.screenshot("file-menu")
        self.assertEqual(koru.probe("close-menu")[0], 0)
        koru.command(self.command_id("開く(&O)..."))
        code, _ = koru.probe("wait", "#32770", "30000", "ﾘｽﾄﾌｧｲﾙを開くまたはﾒﾃﾞｨｱﾌｧｲﾙを追加する")
        self.assertEqual(code, 0, "the open dialog shows with its title")
        koru.screenshot("open-dialog")
        code, _ = koru.probe("file-dialog", windows_path(tune), "30000")
        self.assertEqual(code, 0)
        self.assertIsNotNone(koru.wait_caption("[tune.wav]"))
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [windows_path(tune)])

    def test_a_recent_list_is_opened_again_from_its_menu_item(self):
        koru = self.koru
        first = windows_path(self.wav("first.wav"))
        kept = windows_path(koru.path("kept.mpl"))
        self.write("kept.mpl", list_file([first]))
        self.start(f"[LAST]\r\n0={kept}\r\n", [windows_path(self.wav("other.wav"))])
        # The list loaded at start-up went to the top: kept.mpl is item 1 now
        # (the resource's caption; the path is shown at run time).
        koru.command(self.command_id("&1"))
        self.assertEqual(koru.close_owner(), 0)
        ini = koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "MPL", "file"), kept, "the recent list replaced the list")
        self.assertEqual(ini_value(ini, "LAST", "0"), kept)
        self.assertEqual(entries(koru.read_bytes("kept.mpl")), [first])

    def test_save_as_a_txt_name_writes_it_with_mpl_appended(self):
        koru = self.koru
        tune = windows_path(self.wav("tune.wav", 1))
        self.start("", [tune])
        koru.command(self.command_id("ﾘｽﾄに名前を付けて保存(&A)..."))
        code, _ = koru.probe("file-dialog", windows_path(koru.path("x.txt")), "30000")
        self.assertEqual(code, 0)
        self.assertTrue(wait_until(lambda: koru.exists("x.txt.mpl")))
        self.assertEqual(entries(koru.read_bytes("x.txt.mpl")), [tune])
        self.assertFalse(koru.exists("x.txt"))
        self.assertEqual(koru.close_owner(), 0)

    def test_a_save_another_program_blocks_says_so_and_keeps_the_old_bytes(self):
        koru = self.koru
        tune = windows_path(self.wav("tune.wav", 1))
        self.start("", [tune])
        old = koru.read_bytes("_default.mpl")
        before = set(os.listdir(koru.folder))
        holder = koru.hold("_default.mpl")
        try:
            koru.command(self.command_id("ﾘｽﾄの上書き保存(&S)"))
            texts = koru.dialog_texts()
            self.assertIsNotNone(texts, "the failed save is reported")
            self.assertIn("ﾘｽﾄﾌｧｲﾙを保存できませんでした。", texts)
            self.assertIn(windows_path(koru.path("_default.mpl")), texts)
            self.assertEqual(koru.probe("click", "#32770", "OK")[0], 0)
            self.assertTrue(koru.wait_dialog_gone())
        finally:
            holder.release()
        self.assertEqual(koru.read_bytes("_default.mpl"), old)
        left = set(os.listdir(koru.folder)) - before - {"_default.mpl.release", "owner.log"}
        self.assertEqual(left, set(), "no temporary file is left")
        self.assertEqual(koru.close_owner(), 0)

    def test_removing_missing_files_keeps_an_entry_relative_to_the_list(self):
        koru = self.koru
        self.wav("here.wav", 1)
        elsewhere = os.path.join(BUILD_DIR, "e2e-cwd")
        os.makedirs(elsewhere, exist_ok=True)
        self.start("", ["here.wav", "C:\\nowhere\\gone.wav"], cwd=elsewhere)
        koru.command(self.command_id("ﾘｽﾄから存在しないﾌｧｲﾙを削除(&D)"))
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts)
        self.assertIn("存在しないﾌｧｲﾙをﾘｽﾄから削除しますか？", texts)
        self.assertEqual(koru.probe("click", "#32770", "はい(&Y)")[0], 0)
        self.assertTrue(koru.wait_dialog_gone())
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), ["here.wav"])

    # --- the selected rows from the keys -------------------------------------------
    def titles(self):
        code, out = self.koru.probe("rows", "TfrmMain", str(LIST_VIEW_ID), "0", "9")
        self.assertEqual(code, 0, out)
        lines = [line.split("\t") for line in out.splitlines()]
        return [line[6] for line in lines[1:]], int(lines[0][5])

    def test_selected_rows_move_down_and_are_deleted_from_the_keys(self):
        koru = self.koru
        listed = [f"C:\\m\\{n}.wav" for n in "12345"]
        self.start("extend=1\r\n[MPL]\r\ntrack=1\r\n", listed)
        self.assertTrue(wait_until(lambda: self.titles() == (["x"] * 5, 1)), "row 2 is selected")
        # Titles tell the rows apart: the list file's titles are all "x".
        code, _ = koru.probe("keys", "TfrmMain", "shift+Down", "alt+Down")
        self.assertEqual(code, 0)
        self.assertTrue(wait_until(lambda: self.titles()[1] == 2), "the moved block stays selected, one lower")
        code, _ = koru.probe("keys", "TfrmMain", "Delete")
        self.assertEqual(code, 0)
        self.assertTrue(wait_until(lambda: len(self.titles()[0]) == 3))
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [listed[0], listed[3], listed[4]])

    # --- the tray icon and the session -------------------------------------------
    def test_the_tray_icon_comes_back_after_the_shell_restarts(self):
        koru = self.koru
        self.start()
        self.assertEqual(koru.probe("tray", "TfrmMain", "shown")[0], 0)
        koru.probe("tray", "TfrmMain", "menu")
        self.assertEqual(koru.probe("wait-menu", "30000")[0], 0, "the tray menu opens")
        koru.screenshot("tray-menu")
        self.assertEqual(koru.probe("close-menu")[0], 0)
        self.assertEqual(koru.probe("tray", "TfrmMain", "delete")[0], 0)
        self.assertNotEqual(koru.probe("tray", "TfrmMain", "shown")[0], 0)
        koru.probe("tray", "TfrmMain", "taskbar-created")
        self.assertTrue(wait_until(lambda: koru.probe("tray", "TfrmMain", "shown")[0] == 0))
        self.assertEqual(koru.close_owner(), 0)

    def test_the_end_of_the_session_writes_list_and_settings_before_the_kill(self):
        koru = self.koru
        tune = windows_path(self.wav("tune.wav"))
        self.start()
        koru.probe("drop", "TfrmMain", tune)
        self.assertIsNotNone(koru.wait_caption("[tune.wav]"))
        self.assertEqual(koru.probe("end-session", "TfrmMain")[0], 0)
        koru.kill()
        self.assertEqual(entries(koru.read_bytes("_default.mpl")), [tune])
        self.assertIn(b"[LIST]", koru.read_bytes("KORU.ini"))

    # --- the title menu ------------------------------------------------------------
    def test_the_title_menu_of_9999_entries_opens_while_the_window_keeps_answering(self):
        koru = self.koru
        listed = [f"C:\\m\\{i:04}.mid" for i in range(9999)]
        self.start("[LIST]\r\ncount=9999\r\n[MOUSE]\r\ntitler=1\r\n", listed)
        code, out = koru.probe("context-menu", "TfrmMain", str(LBL_TITLE), "60000")
        self.assertEqual(code, 0, "the title menu opens and the window answers WM_NULL meanwhile")
        shown_ms, answered_ms = out.split()
        print(f"title menu of 9,999 entries: shown after {shown_ms} ms, WM_NULL answered in {answered_ms} ms",
              flush=True)
        koru.screenshot("title-menu")
        self.assertEqual(koru.probe("close-menu")[0], 0)
        self.assertEqual(koru.close_owner(), 0)


if __name__ == "__main__":
    unittest.main()
