"""KORU and the desktop: the mascot hears of the start, each title and the
exit, over either port, and only while it runs; a mascot that never answers
does not freeze the window; the first start's question associates the main
media types per user, or nothing; the ZIP library's result window is off
while KORU runs and back afterwards."""

import re
import unittest

from koru_e2e import (IDYES, KoruTestCase, Mascot, MascotMutex, sstp_request, windows_path, wine_reg,
                      write_wav)

GREETINGS = [
    "\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uレアなプレーヤー使っとるな。",
    "\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uコレ、他に使ってるヤツおるのか？",
    "\\h\\s0MEDIA-PLAYER - KORU の起動を確認しました。\\uもっとええプレーヤーがあるやろ。",
]
EXIT_NOTICE = "\\h\\s0MEDIA-PLAYER - KORU を終了します。"
SSTP_ON = "[FORM]\nleft=40\ntop=40\n[OPT]\nsstp=1\n"
ZIP_SETTINGS = "HKCU\\Software\\ArchiverDll\\UNZIP32\\Settings"
CLASSES = "HKCU\\Software\\Classes"
MAIN_TYPES = ["WMA", "WAX", "WAV", "MP2", "MPA", "MP3", "MID", "MIDI", "RMI"]


def show_result():
    code, out = wine_reg("query", ZIP_SETTINGS, "/v", "ShowResult")
    match = re.search(r"REG_DWORD\s+0x([0-9a-fA-F]+)", out)
    return int(match.group(1), 16) if code == 0 and match else None


def default_value(key):
    code, out = wine_reg("query", key, "/ve")
    match = re.search(r"REG_SZ\s+(.*?)\s*$", out, re.MULTILINE)
    return match.group(1) if code == 0 and match else None


def class_keys():
    """The per-user class keys, one per line of reg's listing."""
    _, out = wine_reg("query", CLASSES)
    return {line.strip() for line in out.splitlines() if line.strip().upper().startswith(CLASSES.replace("HKCU", "HKEY_CURRENT_USER").upper() + "\\")}


class DesktopTest(KoruTestCase):
    def mascot(self, port, answers=True):
        mascot = Mascot(port, answers)
        self.addCleanup(mascot.close)
        return mascot

    def song(self, name, seconds=1.0):
        path = self.koru.path(name)
        write_wav(path, seconds)
        return windows_path(path)

    def test_the_mascot_hears_the_start_a_title_and_the_exit_and_the_zip_window_stays_shut(self):
        koru = self.koru
        koru.write_ini(SSTP_ON)
        song = self.song("100%ソ表.wav")
        wine_reg("add", ZIP_SETTINGS, "/v", "ShowResult", "/t", "REG_DWORD", "/d", "1", "/f")
        self.addCleanup(wine_reg, "delete", ZIP_SETTINGS, "/v", "ShowResult", "/f")
        mascot = self.mascot(11000)
        with MascotMutex(koru):
            koru.start_owner()
            self.assertIn(mascot.wait_requests(1)[0], [sstp_request(g) for g in GREETINGS])
            self.assertEqual(show_result(), 0, "no result window while KORU runs")
            koru.run_sender(song)
            self.assertEqual(koru.wait_caption("[100%ソ表.wav] - KORU", 20), "[100%ソ表.wav] - KORU")
            notice = "\\h\\s0MEDIA-PLAYER - KORU が、\\n\\n[100\\%ソ表.wav]\\n\\nという曲の演奏を始めたよ。"
            self.assertEqual(mascot.wait_requests(2)[1], sstp_request(notice))
            self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(mascot.wait_requests(3)[2], sstp_request(EXIT_NOTICE))
        self.assertEqual(show_result(), 1, "the user's setting is back")

    def test_a_mascot_on_the_second_port_hears_it_all_the_same(self):
        koru = self.koru
        koru.write_ini(SSTP_ON)
        mascot = self.mascot(9801)
        with MascotMutex(koru):
            koru.start_owner()
            self.assertIn(mascot.wait_requests(1)[0], [sstp_request(g) for g in GREETINGS])
            self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(mascot.wait_requests(2)[1], sstp_request(EXIT_NOTICE))

    def test_a_mascot_that_never_answers_does_not_freeze_the_window(self):
        koru = self.koru
        koru.write_ini(SSTP_ON)
        song = self.song("long.wav", 6.0)
        mascot = self.mascot(11000, answers=False)
        with MascotMutex(koru):
            koru.start_owner()
            koru.run_sender(song)
            self.assertEqual(koru.wait_caption("[long.wav] - KORU", 20), "[long.wav] - KORU")
            mascot.wait_requests(1)  # the greeting was given up on; the title's notice waits on
            for _ in range(10):
                code, _ = koru.probe("ping", "TfrmMain", "5000")
                self.assertEqual(code, 0, "the window answers while the mascot keeps silent")
            self.assertEqual(koru.close_owner(timeout=30), 0)
        self.assertGreaterEqual(mascot.connections, 2)

    def test_first_start_no_leaves_the_registry_and_without_the_mutex_nothing_is_sent(self):
        koru = self.koru
        koru.write_ini("[OPT]\nsstp=1\n")  # no window position: the first start
        mascot = self.mascot(11000)
        before = class_keys()
        koru.start_owner(self.song("one.wav"))  # the start helper answers No
        self.assertEqual(koru.wait_caption("[one.wav] - KORU", 20), "[one.wav] - KORU")
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(class_keys(), before)
        self.assertEqual(mascot.connections, 0)

    def test_first_start_yes_associates_the_main_media_types_per_user(self):
        koru = self.koru
        before = class_keys()
        self.addCleanup(lambda: [wine_reg("delete", key, "/f") for key in class_keys() - before])
        koru.start_owner(first_start_answer=IDYES)
        self.assertEqual(koru.close_owner(), 0)
        command = '"' + windows_path(koru.exe) + '" "%1"'
        for extension in MAIN_TYPES:
            file_type = (default_value(CLASSES + "\\." + extension) or
                         default_value("HKLM\\Software\\Classes\\." + extension))
            self.assertIsNotNone(file_type, extension)
            self.assertEqual(default_value(f"{CLASSES}\\{file_type}\\Shell\\Play\\command"), command, extension)
            self.assertEqual(default_value(f"{CLASSES}\\{file_type}\\Shell"), "Play", extension)


if __name__ == "__main__":
    unittest.main()
