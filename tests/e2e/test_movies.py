"""Movies play in the player's own movie window, switch to full screen and
back, and close by hiding; with [OPT] movew=1 the device shows them in its own
window. The version dialog lists the outside libraries it could not find."""

import re
import unittest

from koru_e2e import KoruTestCase, wait_until, windows_path, write_avi

IDM_FUNC_SPOT = 1101
IDM_HELP_ABOUT = 1502
IDM_WINDOW_MOVIE = 1207
IDC_VER_LIST = 306
IDOK = 1
PICTURE = 0x20C040
BASE_CAPTION = "320x240 - MEDIA-PLAYER - KORU"
SCREEN = (1280, 1024)  # the harness's display
# The counter once a second has played (its colon blinks).
PLAYED_A_SECOND = re.compile(r"<00[: ]0[1-9]>")


class MoviesTest(KoruTestCase):
    def movie(self, name="solid.avi", seconds=30):
        path = self.koru.path(name)
        write_avi(path, 320, 240, seconds * 10, PICTURE)
        return windows_path(path)

    def probe_ok(self, *args):
        return self.koru.probe(*args)[0] == 0

    def test_a_movie_plays_in_its_window_switches_to_full_screen_and_back_and_hides(self):
        koru = self.koru
        koru.start_owner()
        self.assertEqual(koru.run_sender(self.movie()), 1)
        self.assertTrue(self.probe_ok("wait", "TfrmMovWn", "30000", BASE_CAPTION), "the movie window")
        self.assertTrue(self.probe_ok("wait-colour", "TfrmMovWn", "150", "110", "20", "20", f"{PICTURE:06X}", "30000"))
        self.assertTrue(wait_until(lambda: PLAYED_A_SECOND.search(koru.probe("texts", "TfrmMain")[1])), "it plays")

        koru.command(IDM_FUNC_SPOT)
        self.assertTrue(self.probe_ok("wait", "TfrmMovWn", "30000", BASE_CAPTION + " - 一時停止"),
                        koru.probe("list", "TfrmMovWn")[1] + koru.probe("texts", "TfrmMain")[1])
        koru.screenshot("movie-window-paused")
        koru.command(IDM_FUNC_SPOT)
        self.assertTrue(self.probe_ok("wait", "TfrmMovWn", "30000", BASE_CAPTION), "playing again")

        # Alt+Enter as real key strokes: full screen over the whole display.
        self.assertTrue(self.probe_ok("keys", "TfrmMovWn", "alt+Return"))
        self.assertTrue(self.probe_ok("wait", "TfrmMovFl", "30000"), "full screen")
        self.assertTrue(self.probe_ok("wait-gone", "TfrmMovWn", "30000"))
        self.assertEqual(koru.probe("layout", "TfrmMovFl")[1].splitlines()[0].split("\t")[1:], [str(n) for n in SCREEN])
        # The pointer at the bottom row brings the control strip.
        self.assertTrue(self.probe_ok("mouse-to", str(SCREEN[0] // 2), str(SCREEN[1] - 1)))
        self.assertTrue(wait_until(lambda: "TfrmMovFlStrip" in koru.probe("layout", "TfrmMovFl")[1]), "strip")
        koru.screenshot("movie-full-screen-with-strip")
        self.assertTrue(self.probe_ok("mouse-to", str(SCREEN[0] // 2), str(SCREEN[1] // 2)))
        self.assertTrue(wait_until(lambda: "TfrmMovFlStrip" not in koru.probe("layout", "TfrmMovFl")[1]))

        # A double click brings the window back; its close box only hides it.
        self.assertTrue(self.probe_ok("dblclick", "TfrmMovFl"))
        self.assertTrue(self.probe_ok("wait", "TfrmMovWn", "30000", BASE_CAPTION), "windowed again")
        self.assertTrue(self.probe_ok("wait-gone", "TfrmMovFl", "30000"))
        self.assertTrue(self.probe_ok("post-close", "TfrmMovWn"))
        self.assertTrue(self.probe_ok("wait-gone", "TfrmMovWn", "30000"))
        self.assertTrue(koru.main_windows(), "the player goes on")
        # ﾑｰﾋﾞｰｳｨﾝﾄﾞｳ表示 brings it back.
        koru.command(IDM_WINDOW_MOVIE)
        self.assertTrue(self.probe_ok("wait", "TfrmMovWn", "30000", BASE_CAPTION), "shown again")
        self.assertEqual(koru.close_owner(), 0)

    def test_with_movew_the_device_shows_the_movie_in_its_own_window(self):
        koru = self.koru
        koru.write_ini("[FORM]\nleft=40\ntop=40\n[OPT]\nmovew=1\n")
        koru.start_owner()
        self.assertEqual(koru.run_sender(self.movie()), 1)
        self.assertTrue(wait_until(lambda: PLAYED_A_SECOND.search(koru.probe("texts", "TfrmMain")[1])), "playing")
        self.assertFalse(self.probe_ok("list", "TfrmMovWn"))
        self.assertFalse(self.probe_ok("list", "TfrmMovFl"))
        self.assertEqual(koru.close_owner(), 0)

    def test_the_version_dialog_lists_the_libraries_it_cannot_find(self):
        koru = self.koru
        koru.start_owner()
        koru.command(IDM_HELP_ABOUT)
        self.assertTrue(self.probe_ok("wait", "#32770", "30000", "ﾊﾞｰｼﾞｮﾝ情報"))
        code, out = koru.probe("list-items", "#32770", str(IDC_VER_LIST))
        self.assertEqual(out.splitlines(), [name + " は確認できません"
                                            for name in ("UNLHA32.DLL", "UNZIP32.DLL", "UNRAR32.DLL", "UNGCA32.DLL",
                                                         "RCPCV.DLL")])
        koru.screenshot("version-dialog")
        self.assertTrue(self.probe_ok("press", "#32770", str(IDOK)))
        self.assertTrue(self.probe_ok("wait-gone", "#32770", "30000"))
        self.assertEqual(koru.close_owner(), 0)


if __name__ == "__main__":
    unittest.main()
