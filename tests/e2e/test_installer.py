"""The 64-bit installer scripts/package.sh makes, as a user meets it: a silent
install into a chosen folder, KORU started from there, the Apps entry, an
upgrade over a KORU whose settings the user changed, and the silent uninstall,
which takes away what the installer put there and the file associations KORU
made, and nothing of the user's or of other programs."""

import glob
import os
import subprocess
import tempfile
import unittest

from koru_e2e import BUILD_DIR, ENV, WINE, KoruTestCase, wait_until, windows_path, write_wav

RELEASE_DIR = os.environ.get("KORU_RELEASE_DIR") or os.path.join(os.environ["KORU_SOURCE_DIR"], "build", "release")
APPS_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KORU"
CLASSES = "HKCU\\Software\\Classes"


def the_installer():
    found = glob.glob(os.path.join(RELEASE_DIR, "KORU-*-win64-setup.exe"))
    if len(found) != 1:
        raise AssertionError(f"expected one 64-bit installer in {RELEASE_DIR} (run scripts/package.sh): {found}")
    name = os.path.basename(found[0])
    return found[0], name[len("KORU-"):-len("-win64-setup.exe")]


def wine(*args, timeout=120):
    """Runs a Windows program in the harness: (exit code, output)."""
    result = subprocess.run([WINE, *args], env=ENV, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            timeout=timeout)
    return result.returncode, result.stdout.decode("utf-8", "replace")


def reg(*args):
    """reg.exe in the harness: its output, or None when the key is missing
    (reg.exe says so in the prefix's language). Any other failure is not an
    absent key: it is tried again and then reported."""
    for _ in range(3):
        result = subprocess.run([WINE, "reg", *args], env=ENV, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                timeout=120)
        if result.returncode == 0:
            return result.stdout.decode("utf-8", "replace")
        said = result.stdout.decode("cp932", "replace")
        if result.returncode == 1 and ("見つ" in said or "unable to find" in said.lower()):
            return None
    raise AssertionError(f"reg {' '.join(args)} failed: {said!r}")


def exported(key):
    """The key and its subkeys as reg.exe exports them, or None when the key
    is missing. The header line and the export's own blank lines aside, the
    text lists every key, value name, type and datum."""
    with tempfile.TemporaryDirectory(dir=BUILD_DIR) as folder:
        path = os.path.join(folder, "key.reg")
        if reg("export", key, windows_path(path), "/y") is None:
            return None
        with open(path, "rb") as f:
            text = f.read().decode("utf-16")
    return [line for line in text.splitlines()[1:] if line]


def reg_import(lines):
    with tempfile.TemporaryDirectory(dir=BUILD_DIR) as folder:
        path = os.path.join(folder, "import.reg")
        with open(path, "wb") as f:
            f.write("\r\n".join(["Windows Registry Editor Version 5.00", "", *lines, ""]).encode("utf-16"))
        code, _ = wine("reg", "import", windows_path(path))
        if code != 0:
            raise AssertionError("reg import failed")


def reg_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def koru_file_type(extension, type_name, description, program):
    """The keys KORU writes when it associates an extension no program had."""
    root = "[HKEY_CURRENT_USER\\Software\\Classes\\"
    return [
        f"{root}{extension}]", f"@={reg_text(type_name)}",
        f"{root}{type_name}]", f"@={reg_text(description)}", '"EditFlags"=hex:00,00,00,00',
        f"{root}{type_name}\\Shell]", '@="Play"',
        f"{root}{type_name}\\Shell\\Play]", '"EditFlags"=hex:01,00,00,00',
        f"{root}{type_name}\\Shell\\Play\\command]", f"@={reg_text(chr(34) + program + chr(34) + ' ' + chr(34) + '%1' + chr(34))}",
    ]


class InstallerTest(KoruTestCase):
    def setUp(self):
        super().setUp()
        self.setup_exe, self.version = the_installer()
        # Installed into a folder of the test's own; the logs the harness
        # writes beside KORU are the test's, not KORU's.
        self.install = os.path.join(self.koru.folder, "Programs", "KORU")
        self.koru.folder = self.install
        self.koru.exe = os.path.join(self.install, "KORU.exe")
        self.associations = [".korutest1", "korutest1file", ".korutest2", "KoruTest.Document", ".korutest3",
                             "korutest3file"]
        self.addCleanup(self.forget_everything)

    def forget_everything(self):
        """Whatever a failed test left in the shared prefix goes."""
        wine("reg", "delete", APPS_KEY, "/f")
        for key in self.associations:
            wine("reg", "delete", f"{CLASSES}\\{key}", "/f")
        for link in self.shortcuts():
            os.remove(link)

    def install_silently(self, *folder):
        code, _ = wine(self.setup_exe, "/S", *(["/D=" + windows_path(folder[0])] if folder else []))
        return code

    def shortcuts(self):
        prefix = ENV["WINEPREFIX"]
        return glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Roaming", "Microsoft", "Windows",
                                      "Start Menu", "Programs", "KORU.lnk"))

    def installed(self):
        return sorted(name for name in os.listdir(self.install) if not name.endswith(".log"))

    def apps_entry(self):
        out = reg("query", APPS_KEY)
        if out is None:
            return None
        values = {}
        for line in out.splitlines():
            fields = line.strip().split("    ")
            if len(fields) == 3:
                values[fields[0]] = (fields[1], fields[2])
        return values

    def test_install_run_upgrade_and_uninstall(self):
        koru = self.koru
        # A silent install into a folder of the user's choice.
        self.assertEqual(self.install_silently(self.install), 0)
        self.assertEqual(self.installed(), ["KORU.exe", "LUMETRIX.dll", "README.TXT", "Uninstall.exe"])
        self.assertEqual(len(self.shortcuts()), 1, "a Start-menu shortcut")

        folder = windows_path(self.install)
        entry = self.apps_entry()
        self.assertIsNotNone(entry, "an entry in the Apps list")
        size_kb = entry.pop("EstimatedSize")
        self.assertEqual(size_kb[0], "REG_DWORD")
        files_kb = sum(os.path.getsize(os.path.join(self.install, n)) for n in self.installed()) // 1024
        self.assertTrue(files_kb <= int(size_kb[1], 16) <= files_kb + 8, f"{size_kb} for {files_kb} KB")
        self.assertEqual(entry, {
            "DisplayName": ("REG_SZ", "MEDIA-PLAYER - KORU"),
            "DisplayVersion": ("REG_SZ", self.version),
            "Publisher": ("REG_SZ", "VELTA"),
            "DisplayIcon": ("REG_SZ", folder + "\\KORU.exe,0"),
            "InstallLocation": ("REG_SZ", folder),
            "UninstallString": ("REG_SZ", f'"{folder}\\Uninstall.exe"'),
            "QuietUninstallString": ("REG_SZ", f'"{folder}\\Uninstall.exe" /S'),
            "NoModify": ("REG_DWORD", "0x1"),
            "NoRepair": ("REG_DWORD", "0x1"),
        })

        # KORU from there takes a handed-over piece.
        self.assertEqual(koru.start_owner(), "MEDIA-PLAYER - KORU")
        tone = os.path.join(os.path.dirname(os.path.dirname(self.install)), "tone.wav")
        write_wav(tone, 5.0)
        self.assertEqual(koru.run_sender(windows_path(tone)), 1)
        self.assertEqual(koru.wait_caption("[tone.wav] - KORU", 20), "[tone.wav] - KORU")

        # While it runs, a silent install or uninstall stops before it
        # changes anything. (_?= runs the uninstaller in place, so its exit
        # code is its own.)
        program = koru.read_bytes("KORU.exe")
        self.assertNotEqual(self.install_silently(), 0, "the running KORU is not overwritten")
        self.assertNotEqual(wine(os.path.join(self.install, "Uninstall.exe"), "/S", "_?=" + folder)[0], 0)
        self.assertEqual(koru.caption(), "[tone.wav] - KORU", "KORU runs on")
        self.assertEqual(koru.read_bytes("KORU.exe"), program)
        self.assertEqual(self.installed(), ["KORU.exe", "LUMETRIX.dll", "README.TXT", "Uninstall.exe"])
        self.assertIsNotNone(self.apps_entry())
        self.assertEqual(koru.close_owner(), 0)

        # The user's settings, changed since.
        ini = koru.read_bytes("KORU.ini").replace(b"[OPT]\r\n", b"[OPT]\r\n; mine\r\n") + b"[MINE]\r\nkey=kept\r\n"
        with open(koru.path("KORU.ini"), "wb") as f:
            f.write(ini)
        playlist = koru.read_bytes("_default.mpl")

        # An upgrade finds the earlier install by itself and keeps them.
        self.assertEqual(self.install_silently(), 0)
        self.assertEqual(koru.read_bytes("KORU.ini"), ini)
        self.assertEqual(koru.read_bytes("_default.mpl"), playlist)
        self.assertEqual(self.installed(), ["KORU.exe", "KORU.ini", "LUMETRIX.dll", "README.TXT", "Uninstall.exe",
                                            "_default.mpl"])

        # Associations: one KORU made from nothing, one type of another
        # program KORU took over, and one naming a KORU.exe elsewhere.
        installed_exe = folder + "\\KORU.exe"
        reg_import(koru_file_type(".korutest1", "korutest1file", "ﾒﾃﾞｨｱﾌｧｲﾙ", installed_exe)
                   + koru_file_type(".korutest3", "korutest3file", "ﾒﾃﾞｨｱﾌｧｲﾙ", "C:\\Other\\KORU.exe"))
        other_program = ["[HKEY_CURRENT_USER\\Software\\Classes\\.korutest2]", '@="KoruTest.Document"',
                         "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document]", '@="Another program\'s document"',
                         "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document\\Shell\\Open\\command]",
                         '@="\\"C:\\\\Other\\\\other.exe\\" \\"%1\\""']
        took_over = ["[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document]", '"EditFlags"=hex:00,00,00,00']
        took_over += koru_file_type(".korutest2", "KoruTest.Document", "", installed_exe)[5:]
        reg_import(other_program + took_over)
        self.assertIsNotNone(exported(f"{CLASSES}\\KoruTest.Document\\Shell\\Play"))
        other_before = exported(f"{CLASSES}\\korutest3file"), exported(f"{CLASSES}\\.korutest3")
        self.assertNotIn(None, other_before)

        # The silent uninstall. It goes on in a copy of itself, so its end
        # shows as the uninstaller gone from the folder.
        self.assertEqual(wine(os.path.join(self.install, "Uninstall.exe"), "/S")[0], 0)
        self.assertTrue(wait_until(lambda: not os.path.exists(os.path.join(self.install, "Uninstall.exe")), 60))
        self.assertEqual(self.installed(), ["KORU.ini", "_default.mpl"], "the user's files stay")
        self.assertEqual(koru.read_bytes("KORU.ini"), ini)
        self.assertEqual(self.shortcuts(), [])
        self.assertIsNone(self.apps_entry())

        self.assertIsNone(exported(f"{CLASSES}\\.korutest1"), "KORU's own extension goes")
        self.assertIsNone(exported(f"{CLASSES}\\korutest1file"), "and its file type")
        self.assertEqual(exported(f"{CLASSES}\\.korutest2"),
                         ["[HKEY_CURRENT_USER\\Software\\Classes\\.korutest2]", '@="KoruTest.Document"'])
        self.assertEqual(exported(f"{CLASSES}\\KoruTest.Document"), [
            "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document]", '@="Another program\'s document"',
            '"EditFlags"=hex:00,00,00,00',
            "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document\\Shell]",
            "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document\\Shell\\Open]",
            "[HKEY_CURRENT_USER\\Software\\Classes\\KoruTest.Document\\Shell\\Open\\command]",
            '@="\\"C:\\\\Other\\\\other.exe\\" \\"%1\\""'],
            "the other program's type loses only KORU's verb")
        self.assertEqual((exported(f"{CLASSES}\\korutest3file"), exported(f"{CLASSES}\\.korutest3")), other_before,
                         "another KORU's association is left alone")

    def test_a_plain_silent_install_goes_to_the_users_programs_folder(self):
        self.assertIsNone(self.apps_entry(), "no earlier install")
        self.assertEqual(self.install_silently(), 0)
        code, out = wine("cmd", "/c", "echo", "%LOCALAPPDATA%")
        folder = out.strip() + "\\Programs\\KORU"
        self.assertEqual(self.apps_entry()["InstallLocation"], ("REG_SZ", folder))
        prefix_folder = os.path.join(ENV["WINEPREFIX"], "drive_c", *folder[len("C:\\"):].split("\\"))
        self.addCleanup(lambda: subprocess.run(["rm", "-rf", prefix_folder]))
        self.assertTrue(os.path.exists(os.path.join(prefix_folder, "KORU.exe")))
        self.assertEqual(wine(os.path.join(prefix_folder, "Uninstall.exe"), "/S", "_?=" + folder)[0], 0)
        self.assertIsNone(self.apps_entry())
        self.assertFalse(os.path.exists(os.path.join(prefix_folder, "KORU.exe")))


if __name__ == "__main__":
    unittest.main()
