"""The settings dialog (詳細設定) as a user works it: a control of each kind
changed on every page and taken by OK, 適用 before キャンセル, キャンセル alone,
and the messages of its checks; KORU.ini at exit tells what was taken.
Screenshots of the five pages go to the artifacts folder."""

import os
import re
import unittest

from koru_e2e import Koru, KoruTestCase

SETTINGS = "#32770|詳細設定 - MEDIA-PLAYER - KORU"
START_INI = "[FORM]\r\nleft=40\r\ntop=40\r\n"


def defines(header):
    with open(os.path.join(os.environ["KORU_SOURCE_DIR"], header), encoding="utf-8") as f:
        return {m.group(1): int(m.group(2)) for m in re.finditer(r"#define (\w+) (\d+)", f.read())}


IDS = defines("ui/settings_dialog_ids.h")
IDM_CONFIG_FORM = defines("ui/commands.h")["IDM_CONFIG_FORM"]
IDOK, IDCANCEL = 1, 2


def ini_entries(data):
    """KORU.ini as {(section, key): value}."""
    entries, section = {}, None
    for line in data.decode("cp932").split("\r\n"):
        if line.startswith("["):
            section = line.strip("[]")
        elif "=" in line:
            key, value = line.split("=", 1)
            entries[(section, key)] = value
    return entries


def changed_keys(before, after):
    """The keys whose values differ, but for the list file's path: each run
    has a folder of its own."""
    return {key for key in before.keys() | after.keys()
            if before.get(key) != after.get(key) and key != ("MPL", "file")}


class SettingsDialogTest(KoruTestCase):
    def start(self, koru):
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(START_INI.encode("cp932"))
        koru.start_owner()

    def finish(self, koru):
        self.assertEqual(koru.close_owner(), 0)
        return ini_entries(koru.read_bytes("KORU.ini"))

    def untouched_ini(self):
        koru = Koru(self.id().split(".")[-1] + "-untouched")
        try:
            self.start(koru)
            return self.finish(koru)
        finally:
            koru.kill()

    def probe(self, *args):
        code, out = self.koru.probe(*args)
        self.assertEqual(code, 0, args)
        return out

    def open_dialog(self):
        self.koru.command(IDM_CONFIG_FORM)
        self.probe("wait", SETTINGS, "30000")

    def control(self, verb, name, *args):
        self.probe(verb, SETTINGS, str(IDS[name]), *(str(a) for a in args))

    def page(self, index):
        self.probe("page", SETTINGS, str(IDS["IDC_INIT_PAGES"]), str(index))

    def close_dialog(self, button):
        self.probe("press", SETTINGS, str(button))
        self.probe("wait-gone", SETTINGS, "30000")

    def message(self, text):
        """Waits for the dialog's message box showing text and answers it."""
        for _ in range(100):
            code, out = self.koru.probe("texts", SETTINGS)
            if text in out:
                for line in out.split("\n"):
                    fields = line.split("\t")
                    if len(fields) == 3 and fields[0] == "Button":
                        self.probe("press", SETTINGS, fields[1])
                        return
        self.fail("no message " + text)

    def edit_text(self, name):
        out = self.probe("texts", SETTINGS)
        for line in out.split("\n"):
            fields = line.split("\t")
            if len(fields) == 3 and fields[1] == str(IDS[name]):
                return fields[2]
        return None

    def test_each_kind_of_control_on_every_page_reaches_koru_ini(self):
        untouched = self.untouched_ini()
        self.start(self.koru)
        self.open_dialog()
        self.koru.screenshot("settings-page-0")
        self.control("tick", "IDC_LSV_BUTTON_CHECK", 4, 0)
        self.control("bm-click", "IDC_CHK_IMAGE_CENTER")
        self.control("select", "IDC_CBX_PANEL_COLOR", 1)
        self.page(1)
        self.koru.screenshot("settings-page-1")
        self.control("tick", "IDC_LSV_MEDIA_LIST", 1, 1)
        self.control("bm-click", "IDC_RBT_LIST_AUTO_NONE")
        self.control("set-text", "IDC_EDT_TIMER_GAP", "3")
        self.page(2)
        self.koru.screenshot("settings-page-2")
        self.control("bm-click", "IDC_CHK_OPT_BLANK")
        self.page(3)
        self.koru.screenshot("settings-page-3")
        self.control("bm-click", "IDC_RBT_MOUSE_TITLER_SWITCH")
        self.page(4)
        self.control("set-text", "IDC_EDT_FILE_EXT", "qqq")
        self.control("bm-click", "IDC_RBT_EXT_TYPE_TXT")  # the first row, a media type, enables the types
        self.control("bm-click", "IDC_BTN_FILE_EXT_ADD")
        for _ in range(100):
            if self.edit_text("IDC_EDT_FILE_EXT") == "QQQ":
                break
        self.koru.screenshot("settings-page-4")
        self.close_dialog(IDOK)
        ini = self.finish(self.koru)

        ext = {key for key in changed_keys(untouched, ini) if key[0] == "EXT"}
        # A column shown anew takes its share of the list's width: the
        # columns' widths at exit follow from [LIST] check.
        widths = {("LIST", key) for key in ("track", "level", "ppath", "fname", "title", "progr", "copyr", "insmt",
                                             "timer")}
        self.assertIn(("LIST", "ppath"), changed_keys(untouched, ini))
        self.assertEqual(changed_keys(untouched, ini) - ext - widths, {
            ("BUTTON", "check"), ("IMAGE", "center"), ("PANEL", "color"), ("LIST", "check"), ("LIST", "auto"),
            ("TIMER", "gap"), ("OPT", "blank"), ("MOUSE", "titler")})
        self.assertEqual(ini[("BUTTON", "check")], "1111011111")
        self.assertEqual(ini[("IMAGE", "center")], "1")
        self.assertEqual(ini[("PANEL", "color")], "1")
        self.assertEqual(ini[("LIST", "check")], "110100001")
        self.assertEqual(ini[("LIST", "auto")], "0")
        self.assertEqual(ini[("TIMER", "gap")], "3")
        self.assertEqual(ini[("OPT", "blank")], "1")
        self.assertEqual(ini[("MOUSE", "titler")], "2")
        types = ini[("EXT", "type")]
        extensions = [ini[("EXT", str(i))] for i in range(len(types))]
        self.assertEqual(types[extensions.index("QQQ")], "T")
        self.assertEqual(len(types), len(untouched[("EXT", "type")]) + 1)

    def test_cancel_keeps_only_what_apply_took(self):
        untouched = self.untouched_ini()
        self.start(self.koru)
        self.open_dialog()
        self.control("bm-click", "IDC_CHK_IMAGE_CENTER")
        self.probe("press", SETTINGS, str(IDS["IDC_INIT_APPLY"]))
        self.control("select", "IDC_CBX_PANEL_COLOR", 2)
        self.close_dialog(IDCANCEL)
        self.open_dialog()  # a second opening starts from the record
        self.control("bm-click", "IDC_CHK_IMAGE_SIZE")
        self.close_dialog(IDCANCEL)
        ini = self.finish(self.koru)
        self.assertEqual(changed_keys(untouched, ini), {("IMAGE", "center")})

    def test_checks_keep_the_dialog_open_with_their_messages(self):
        self.start(self.koru)
        self.open_dialog()
        self.page(1)
        self.control("set-text", "IDC_EDT_LIST_COUNT", "50")
        for item in (0, 3, 8):
            self.control("tick", "IDC_LSV_MEDIA_LIST", item, 0)
        self.probe("press", SETTINGS, str(IDOK))
        self.message("ﾘｽﾄでは最低1項目以上は表示を選択して下さい。")
        self.message("最大ﾘｽﾄ数は 100 ～ 9999 です。")
        self.assertEqual(self.edit_text("IDC_EDT_LIST_COUNT"), "100")
        self.page(4)
        self.control("set-text", "IDC_EDT_FILE_EXT", "mid")
        self.control("bm-click", "IDC_BTN_FILE_EXT_ADD")
        self.message("ﾌｧｲﾙﾀｲﾌﾟ MID は登録済みです。")
        self.probe("wait", SETTINGS, "5000")  # still open
        self.close_dialog(IDCANCEL)
        ini = self.finish(self.koru)
        self.assertEqual(ini[("LIST", "check")], "100100001")
        self.assertEqual(ini[("LIST", "count")], "100")


if __name__ == "__main__":
    unittest.main()
