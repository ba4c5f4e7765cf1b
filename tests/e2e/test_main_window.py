"""The main window as a user sees it: the list of 9,999 entries, the views
switched with F2 to F4, a title edited with Ctrl+T, the document beside a
piece, a picture on the information panel, and what KORU.ini keeps of the
window at exit. Screenshots of each view go to the artifacts folder."""

import os
import subprocess
import unittest

from koru_e2e import ENV, IDNO, LIST_HEADER, MESSAGE_DIALOG_BUTTONS, KoruTestCase, ini_value, windows_path

LIST_VIEW_ID = 2010
CLASS_LIST = "SysListView32"
CLASS_DOCUMENT = "Edit"
CLASS_DATA = "TpnlData"
BAR_HEIGHT = 64
DESIGN_HEIGHT = 256


def list_bytes(entries):
    """The own list format: entries as (path, title, milliseconds)."""
    text = LIST_HEADER
    for path, title, time in entries:
        text += f"a:{path}\r\nb:\r\nc:{title}\r\nd:{time}\r\ne:\r\nf:\r\ng:\r\nh:\r\ni:\r\nj:\r\n@\r\n"
    return text.encode("cp932")


def saved_fields(data, letter):
    return [line[2:].decode("cp932") for line in data.split(b"\r\n") if line.startswith(letter.encode() + b":")]


class MainWindowTest(KoruTestCase):
    def start(self, ini, entries=(), **kwargs):
        """KORU.ini and _default.mpl as a user left them (a window position
        saved, so this is not a first start), then the owner."""
        koru = self.koru
        with open(koru.path("_default.mpl"), "wb") as f:
            f.write(list_bytes(entries))
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(("[FORM]\r\nleft=40\r\ntop=40\r\n" + ini).replace("\n", "\r\n").replace("\r\r", "\r")
                    .encode("cp932"))
        koru.start_owner(**kwargs)

    def views(self):
        """The client size and which views show."""
        layout = self.koru.layout()
        shown = set()
        for key, bounds in layout.items():
            if key == "client":
                continue
            if key[0] == CLASS_LIST:
                shown.add("list")
            elif key[0] == CLASS_DATA:
                shown.add("data")
            elif key[0] == CLASS_DOCUMENT and bounds[1] == BAR_HEIGHT:  # mmoDoc, not the title box
                shown.add("document")
        return layout["client"], shown

    def wait_views(self, wanted, height):
        for _ in range(100):
            client, shown = self.views()
            if shown == wanted and client[1] == height:
                return client
            self.koru.probe("wait-gone", "NoSuchWindowClass", "0")  # a short pause through the probe
        self.fail(f"views {shown} at {client}, wanted {wanted} at height {height}")

    def rows(self, first, last):
        code, out = self.koru.probe("rows", "TfrmMain", str(LIST_VIEW_ID), str(first), str(last))
        self.assertEqual(code, 0, out)
        lines = [line.split("\t") for line in out.splitlines()]
        head = lines[0]
        return {"count": int(head[1]), "top": int(head[3]), "selected": int(head[5])}, lines[1:]

    def menu_command(self, caption):
        """Runs the menu item with this caption, its id read from KORU.exe's menus."""
        code, out = self.koru.probe("menu-id", windows_path(self.koru.exe), caption)
        self.assertEqual(code, 0, caption)
        self.koru.command(int(out))

    def keys(self, *keys):
        code, _ = self.koru.probe("keys", "TfrmMain", *keys)
        self.assertEqual(code, 0)

    def test_nine_thousand_nine_hundred_ninety_nine_entries_show_with_their_texts(self):
        entries = [(f"C:\\music\\曲{i:04d}.wav", f"Song {i}", str(i * 1000)) for i in range(9999)]
        self.start("extend=1\n[MPL]\ntrack=9998\nplay=1\n[LIST]\ncheck=111100011\n", entries)
        self.wait_views({"list"}, DESIGN_HEIGHT)
        head, rows = self.rows(0, 1)
        self.assertEqual(head["count"], 9999)
        self.assertEqual(head["selected"], 9998, "the current entry's row is selected")
        # Played, number, parent folder, file name, title; artist, comment and
        # album hidden; no rate; a time of 0 shows empty.
        self.assertEqual(rows[0], ["row", "0", "1", "1", "music", "曲0000.wav", "Song 0", "", "", "", "", ""])
        self.assertEqual(rows[1][1:4], ["1", "0", "2"])
        _, last = self.rows(9998, 9998)
        self.assertEqual(last[0][3:], ["9999", "music", "曲9998.wav", "Song 9998", "", "", "", "", "66:38"])
        self.koru.screenshot("main_window_list_9999")

    def test_f2_to_f4_switch_the_views_and_the_view_is_kept(self):
        self.start("extend=0\n", [("C:\\music\\a.wav", "A", "0")])
        self.wait_views(set(), BAR_HEIGHT)
        self.koru.screenshot("main_window_no_view")
        for key, view, shot in (("F2", "list", "list"), ("F3", "document", "document"), ("F4", "data", "data")):
            self.keys(key)
            self.wait_views({view}, DESIGN_HEIGHT)
            self.koru.screenshot("main_window_view_" + shot)
        self.keys("F4")
        self.wait_views(set(), BAR_HEIGHT)
        self.menu_command("ﾘｽﾄの表示(&L)")
        self.wait_views({"list"}, DESIGN_HEIGHT)
        self.keys("F3")
        self.wait_views({"document"}, DESIGN_HEIGHT)
        self.assertEqual(self.koru.close_owner(), 0)
        ini = self.koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "FORM", "extend"), "2")
        self.assertEqual(ini_value(ini, "FORM", "left"), "40")
        for key in ("track", "title", "timer"):
            self.assertGreater(int(ini_value(ini, "LIST", key)), 0, key)
        self.assertEqual(ini_value(ini, "LIST", "ppath"), "-1", "a hidden column keeps its key")

    def test_a_title_edited_with_ctrl_t_is_saved_in_the_list(self):
        self.start("extend=1\n[IMAGE]\nlist=0\n", [("C:\\music\\a.wav", "Song", "0"), ("C:\\music\\b.wav", "B", "0")])
        self.wait_views({"list"}, DESIGN_HEIGHT)
        self.keys("ctrl+T")
        # Title edit mode: the list with the information panel beneath it.
        self.wait_views({"list", "data"}, DESIGN_HEIGHT)
        self.koru.screenshot("main_window_title_edit")
        self.keys("End", "shift+Home", "text:Tune", "Return")
        self.assertEqual(self.rows(0, 0)[1][0][6], "Tune")
        self.assertEqual(self.koru.close_owner(), 0)
        data = self.koru.read_bytes("_default.mpl")
        self.assertEqual(saved_fields(data, "c"), ["Tune", "B"])
        self.assertEqual(saved_fields(data, "i"), ["Song", ""])
        ini = self.koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "IMAGE", "list"), "0", "[IMAGE] list as it was before the mode")
        self.assertEqual(ini_value(ini, "FORM", "extend"), "1")

    def test_the_document_beside_the_current_piece_shows(self):
        koru = self.koru
        with open(koru.path("piece.txt"), "wb") as f:
            f.write("一行目\r\nsecond line\n".encode("cp932"))
        self.start("extend=2\n", [(windows_path(koru.path("piece.wav")), "P", "0")])
        self.wait_views({"document"}, DESIGN_HEIGHT)
        for _ in range(50):
            code, texts = koru.probe("texts", "TfrmMain")
            if "一行目\r\nsecond line" in texts:
                break
        self.assertIn("一行目\r\nsecond line", texts)
        koru.screenshot("main_window_document")

    def test_a_jpeg_shows_on_the_information_panel(self):
        koru = self.koru
        picture = koru.path("white.jpg")
        subprocess.run(["convert", "-size", "120x80", "xc:white", picture], check=True, env=ENV)
        self.start(f"extend=3\n[IMAGE]\nimage=1\ndata=1\nfile={windows_path(picture)}\n")
        client = self.wait_views({"data"}, DESIGN_HEIGHT)
        # White only where the picture is: the panel is green.
        self.assertTrue(koru.wait_colour(4, BAR_HEIGHT + 4, 100, 60, 0xFFFFFF))
        self.assertFalse(koru.wait_colour(200, BAR_HEIGHT + 120, 150, 40, 0xFFFFFF, timeout=1))
        koru.screenshot("main_window_picture")
        self.assertEqual(koru.close_owner(), 0)
        ini = koru.read_bytes("KORU.ini")
        self.assertEqual(ini_value(ini, "IMAGE", "image"), "1")
        self.assertEqual(ini_value(ini, "FORM", "extend"), "3")
        self.assertEqual(client[0], 400)

    def test_a_first_start_asks_with_no_as_default_and_a_saved_position_stops_it(self):
        koru = self.koru
        koru.start_owner(first_start_answer=None)
        texts = koru.dialog_texts()
        self.assertIn("主なﾒﾃﾞｨｱﾌｧｲﾙをKORUに関連付けしますか？", texts)
        self.assertIn("※後から詳細設定より手動で行う事もできます。", texts)
        code, default = koru.probe("default-id", "#32770")
        self.assertEqual((code, default.strip()), (0, str(MESSAGE_DIALOG_BUTTONS[IDNO])))
        koru.screenshot("main_window_first_start_question")
        self.assertTrue(koru.answer_dialog(MESSAGE_DIALOG_BUTTONS[IDNO]))
        self.assertTrue(koru.wait_dialog_gone())
        self.assertEqual(koru.close_owner(), 0)
        self.assertNotEqual(ini_value(koru.read_bytes("KORU.ini"), "FORM", "left"), "-1")

        koru.start_owner(first_start_answer=None)
        self.assertIsNone(koru.dialog_texts(timeout=3), "a saved window position means no first start")
        self.assertEqual(koru.close_owner(), 0)


if __name__ == "__main__":
    unittest.main()
