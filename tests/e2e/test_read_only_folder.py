"""KORU in a folder it cannot write to says so once at start-up, runs, and
ends cleanly without touching what is there. The tests run as root, whom no
permission bit stops: the folder is made immutable instead (chattr +i), where
the file system and the machine allow it."""

import os
import subprocess
import unittest

from koru_e2e import ENV, WINE, KoruTestCase, is_player_message_dialog

IDOK = 1
TOLD = "に書き込めません。"


class ReadOnlyFolderTest(KoruTestCase):
    def make_immutable(self, folder):
        if subprocess.run(["chattr", "+i", folder], stderr=subprocess.DEVNULL).returncode != 0:
            self.skipTest("this machine cannot make a folder immutable (chattr +i)")
        self.addCleanup(subprocess.run, ["chattr", "-i", folder])
        probe = os.path.join(folder, "probe")
        try:
            open(probe, "wb").close()
            os.remove(probe)
            self.skipTest("an immutable folder still takes new files here")
        except OSError:
            pass

    def test_the_user_is_told_once_and_nothing_changes(self):
        koru = self.koru
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(b"[FORM]\r\nleft=100\r\ntop=100\r\n[MPL]\r\nrepeat=0\r\n")
        before = {name: koru.read_bytes(name) for name in os.listdir(koru.folder)}
        self.make_immutable(koru.folder)

        # Started as start_owner would, with its output beside the folder.
        koru.owner_log = open(koru.folder + ".log", "wb")
        koru.owner = subprocess.Popen([WINE, koru.exe], cwd=os.path.dirname(koru.folder), env=ENV,
                                      stdout=koru.owner_log, stderr=subprocess.STDOUT)
        texts = koru.dialog_texts()
        self.assertIsNotNone(texts, "a message at start-up")
        self.assertIn(TOLD, texts)
        self.assertFalse(is_player_message_dialog(texts), "in the system message box")
        self.assertTrue(koru.answer_dialog(IDOK))
        self.assertIsNotNone(koru.wait_window(), "KORU runs on")
        self.assertEqual(koru.close_owner(), 0, "and ends without asking again")
        self.assertEqual({name: koru.read_bytes(name) for name in os.listdir(koru.folder)}, before)

if __name__ == "__main__":
    unittest.main()
