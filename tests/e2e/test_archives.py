"""Songs inside archives play. With the archiver libraries' doubles beside
KORU.exe, a handed-over archive's usable members join the list, the one that
plays comes out of the archive with its companions into KORUTEMP, and nothing
is left behind or written elsewhere. Without the libraries, and with them
planted in the current folder only, a member fails visibly."""

import os
import shutil
import subprocess
import sys
import unittest

from koru_e2e import BUILD_DIR, ENV, LIST_HEADER, WINE, KoruTestCase, ini_value, wait_until, windows_path

sys.path.insert(0, os.path.join(os.environ["KORU_SOURCE_DIR"], "tests", "doubles", "archiver"))
import test_zips  # noqa: E402  (the archive fixtures' writer)

DOUBLES = os.path.join(BUILD_DIR, "doubles", "x86_64")
EXTRACT_FAILED = "ﾒﾃﾞｨｱﾌｧｲﾙが解凍できません"
# Every name the archive holds, as a file name anywhere on disk.
MEMBER_FILE_NAMES = {"tune.wav", "tune.txt", "曲.wav", "escape.wav", "escape2.wav", "evil.wav", "abs.wav",
                     "-x.wav", "@list.wav", "CON.wav", "trail.wav.", "quote\".wav"}


def korutemp():
    """KORUTEMP's Windows path (ending in a backslash) and its Unix path:
    Wine gives every program the prefix's TEMP."""
    temp = subprocess.run([WINE, "cmd", "/c", "echo %TEMP%"], env=ENV, capture_output=True, timeout=60,
                          check=True).stdout.decode().strip()
    unix = subprocess.run([WINE, "winepath", "-u", temp], env=ENV, capture_output=True, timeout=60,
                          check=True).stdout.decode().strip()
    return temp.rstrip("\\") + "\\KORUTEMP\\", os.path.join(unix, "KORUTEMP")


def files_below(folder):
    found = []
    for root, _, names in os.walk(folder):
        found += [os.path.join(root, name) for name in names]
    return found


def saved_members(list_bytes):
    """(path, member) of each entry of a saved list file."""
    lines = list_bytes.split(b"\r\n")
    return [(a[2:].decode("cp932"), b[2:].decode("cp932"))
            for a, b in zip(lines, lines[1:]) if a.startswith(b"a:") and b.startswith(b"b:")]


class ArchivesTest(KoruTestCase):
    def setUp(self):
        super().setUp()
        self.windows_temp, self.temp = korutemp()
        self.log = self.koru.path("calls.log")
        self.env = dict(ENV, KORU_DOUBLE_LOG=windows_path(self.log))

    def songs(self, name):
        """songs.zip under `name` in the working folder: a song long enough
        to be looked at while it plays, its text, a code page 932 name and the
        hostile names."""
        path = self.koru.path(name)
        test_zips.write_zip(path, test_zips.songs_members(seconds=30.0))
        return path

    def doubles_in(self, folder):
        for name in os.listdir(DOUBLES):
            if name.endswith(".dll"):
                shutil.copy(os.path.join(DOUBLES, name), folder)

    def log_lines(self, function):
        if not os.path.exists(self.log):
            return []
        with open(self.log, "rb") as f:
            return [line.split(b"\t")[2] for line in f.read().split(b"\n")
                    if line.count(b"\t") >= 2 and line.split(b"\t")[1] == function.encode()]

    def wait_log_lines(self, function, timeout=30):
        """Polls the log until `function` was called; returns its argument lines."""
        return wait_until(lambda: self.log_lines(function), timeout)

    def test_a_handed_over_zip_plays_its_song_from_korutemp_and_leaves_nothing(self):
        koru = self.koru
        self.doubles_in(koru.folder)
        archive = self.songs("songs.zip")
        koru.start_owner(env=self.env)
        self.assertEqual(koru.run_sender(windows_path(archive)), 1)

        self.assertEqual(koru.wait_caption("[tune.wav] - KORU", 30), "[tune.wav] - KORU")
        # The ZIP line keeps the stored folder: the song and its text came out
        # together below KORUTEMP, and nothing else did.
        self.assertEqual(sorted(os.path.relpath(p, self.temp) for p in files_below(self.temp)),
                         [os.path.join("album", "tune.txt"), os.path.join("album", "tune.wav")])
        self.assertEqual(self.log_lines("UnZip"),
                         [f'-u --i -q -o "{windows_path(archive)}" "{self.windows_temp}" "tune.*"'.encode("cp932")])
        koru.screenshot("archive-member-playing")
        self.assertEqual(koru.close_owner(), 0)

        # Only the usable members were listed, under their bare names.
        self.assertEqual(saved_members(koru.read_bytes("_default.mpl")),
                         [(windows_path(archive), "tune.wav"), (windows_path(archive), "曲.wav")])
        self.assertEqual(os.listdir(self.temp), [], "KORUTEMP is empty at exit")
        stray = [p for p in files_below(os.path.join(ENV["WINEPREFIX"], "drive_c")) + files_below(koru.folder)
                 if os.path.basename(p) in MEMBER_FILE_NAMES]
        stray += [p for p in ("/abs.wav", "/evil.wav", "/escape.wav", "/escape2.wav") if os.path.exists(p)]
        self.assertEqual(stray, [], "nothing of the archive appeared outside KORUTEMP")

    def test_lzh_and_a_7z_mapped_in_the_ini_play_through_their_libraries(self):
        koru = self.koru
        self.doubles_in(koru.folder)
        with open(koru.path("KORU.ini"), "wb") as f:
            # A table of one's own names the media types too.
            f.write(b"[EXT]\r\ntype=A1\r\n0=7Z\r\n1=WAV\r\n")
        lzh = self.songs("songs.lzh")
        seven = self.songs("songs.7z")
        koru.start_owner(env=self.env)

        self.assertEqual(koru.run_sender(windows_path(lzh)), 1)
        self.assertEqual(koru.wait_caption("[tune.wav] - KORU", 30), "[tune.wav] - KORU")
        self.assertEqual([line[:line.index(b'"')] for line in self.log_lines("Unlha")], [b"e -a2 -n1 -x1 -m1 -r2 "])

        self.assertEqual(koru.run_sender(windows_path(seven)), 1)
        self.assertEqual([line[:line.index(b'"')] for line in self.wait_log_lines("SevenZip")],
                         [b"x -hide -aoa -y -r0 "])
        self.assertEqual(koru.close_owner(), 0)
        self.assertEqual(saved_members(koru.read_bytes("_default.mpl")),
                         [(windows_path(lzh), "tune.wav"), (windows_path(lzh), "曲.wav"),
                          (windows_path(seven), "tune.wav"), (windows_path(seven), "曲.wav")])
        self.assertEqual(ini_value(koru.read_bytes("KORU.ini"), "MPL", "track"), "2", "the 7z's song played last")

    def test_without_the_libraries_a_member_cannot_be_extracted_even_with_them_in_the_current_folder(self):
        koru = self.koru
        archive = self.songs("songs.zip")
        # The libraries lie in the folder KORU is started from, not beside it.
        planted = os.path.join(koru.folder, "planted")
        os.makedirs(planted)
        self.doubles_in(planted)
        playlist = koru.path("songs.mpl")
        with open(playlist, "wb") as f:
            f.write((LIST_HEADER + f"a:{windows_path(archive)}\r\nb:tune.wav\r\nc:x\r\nd:0\r\ne:\r\nf:\r\ng:\r\n"
                     "h:\r\ni:\r\nj:\r\n@\r\n").encode("cp932"))
        koru.start_owner(cwd=planted, env=self.env)
        self.assertEqual(koru.run_sender(windows_path(playlist), cwd=planted), 1)
        self.assertEqual(koru.wait_caption(EXTRACT_FAILED, 30), EXTRACT_FAILED + " - KORU")
        koru.screenshot("archive-member-without-library")
        self.assertEqual(koru.close_owner(), 0)
        self.assertFalse(os.path.exists(self.log), "no library was loaded")


if __name__ == "__main__":
    unittest.main()
