"""What scripts/package.sh wrote into build/release, checked without running
it: the two zips, the two installers' payloads, the checksums, the read-me,
and the programs' imports, exports, version blocks and manifest."""

import hashlib
import os
import re
import subprocess
import tempfile
import unittest
import zipfile

SOURCE_DIR = os.environ.get("KORU_SOURCE_DIR") or os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
RELEASE_DIR = os.environ.get("KORU_RELEASE_DIR") or os.path.join(SOURCE_DIR, "build", "release")
OBJDUMP = os.environ.get("KORU_OBJDUMP", "x86_64-w64-mingw32-objdump")

SHIPPED = ["KORU/KORU.exe", "KORU/LUMETRIX.dll", "KORU/README.TXT"]
FORMATS = {"win32": "pei-i386", "win64": "pei-x86-64"}
# What Windows itself provides: KORU.exe needs nothing else beside it.
SYSTEM_LIBRARIES = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "version.dll",
                    "winmm.dll", "ws2_32.dll"}
LUMETRIX_EXPORTS = {"CopyFileDateTime", "CompareFileDateTime", "SetFileDateTime", "CompareVersion", "GetFileVersion",
                    "RegistDll", "CreateShortcut"}


def project_version():
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(KORU VERSION ([0-9.]+)", f.read()).group(1)


VERSION = project_version()


def release_file(name):
    path = os.path.join(RELEASE_DIR, name)
    if not os.path.exists(path):
        raise AssertionError(f"{path} is missing: run scripts/package.sh")
    return path


def run(*args, data=None):
    return subprocess.run(args, input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True).stdout


def objdump(flag, data, folder, name):
    """objdump of bytes (written to a scratch file first)."""
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    return run(OBJDUMP, flag, path).decode("utf-8", "replace")


def resource(data, folder, name, member):
    """One resource of a program as 7-Zip shows it (version.txt, MANIFEST/1)."""
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    listing = run("7z", "l", "-tpe", "-slt", path).decode("utf-8", "replace")
    paths = [line[len("Path = "):] for line in listing.splitlines() if line.startswith("Path = .rsrc/")]
    found = [p for p in paths if p.endswith("/" + member)]
    if len(found) != 1:
        raise AssertionError(f"{name} has no single {member}: {paths}")
    return run("7z", "e", "-tpe", "-so", path, found[0])


class ReleaseFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch_folder = tempfile.TemporaryDirectory()
        cls.scratch = cls.scratch_folder.name
        cls.zips = {}
        for target in FORMATS:
            with zipfile.ZipFile(release_file(f"KORU-{VERSION}-{target}.zip")) as archive:
                cls.zips[target] = {info.filename: archive.read(info) for info in archive.infolist()}

    @classmethod
    def tearDownClass(cls):
        cls.scratch_folder.cleanup()

    def test_the_checksums_name_the_four_files(self):
        names = [f"KORU-{VERSION}-{t}{kind}" for t in FORMATS for kind in (".zip", "-setup.exe")]
        with open(release_file("SHA256SUMS"), encoding="ascii") as f:
            listed = dict(reversed(line.split()) for line in f.read().splitlines())
        self.assertEqual(sorted(listed), sorted(names))
        for name, digest in listed.items():
            with open(release_file(name), "rb") as f:
                self.assertEqual(hashlib.sha256(f.read()).hexdigest(), digest, name)

    def test_each_zip_holds_one_folder_with_the_program_its_library_and_the_read_me(self):
        for target, files in self.zips.items():
            self.assertEqual(sorted(files), SHIPPED, target)
        self.assertEqual(self.zips["win32"]["KORU/README.TXT"], self.zips["win64"]["KORU/README.TXT"])

    def test_the_read_me_is_code_page_932_with_cr_lf(self):
        readme = self.zips["win64"]["KORU/README.TXT"]
        text = readme.decode("cp932")  # strict: every byte sequence must be code page 932
        self.assertNotIn(b"\n", readme.replace(b"\r\n", b""), "every line ends with CR LF")
        self.assertNotIn(b"\r", readme.replace(b"\r\n", b""))
        self.assertIn(f"バージョン {VERSION}", text)
        for named in ("unlha32.dll", "7-zip32.dll", "RCPCV.DLL", "ogog.dll", "32ビット", "KORU.ini", "_default.mpl",
                      "%LOCALAPPDATA%\\Programs\\KORU", "アンインストール"):
            self.assertIn(named, text)

    def test_programs_are_stripped_for_their_processor_and_keep_their_symbols_beside(self):
        for target, files in self.zips.items():
            arch = "i686" if target == "win32" else "x86_64"
            for name in ("KORU.exe", "LUMETRIX.dll"):
                headers = objdump("-h", files["KORU/" + name], self.scratch, name)
                self.assertIn("file format " + FORMATS[target], headers, f"{target} {name}")
                self.assertNotIn(".debug_info", headers, f"{target} {name} is stripped")
                self.assertIn(".gnu_debuglink", headers, f"{target} {name} names its symbols")
                with open(release_file(os.path.join("symbols", arch, name + ".debug")), "rb") as f:
                    self.assertIn(".debug_info", objdump("-h", f.read(), self.scratch, name + ".debug"))

    def test_koru_imports_only_system_libraries_and_lumetrix_exports_its_seven_names(self):
        for target, files in self.zips.items():
            imports = objdump("-p", files["KORU/KORU.exe"], self.scratch, "KORU.exe")
            libraries = {name.lower() for name in re.findall(r"DLL Name: (\S+)", imports)}
            self.assertIn("kernel32.dll", libraries)
            self.assertLessEqual(libraries, SYSTEM_LIBRARIES, target)

            table = objdump("-p", files["KORU/LUMETRIX.dll"], self.scratch, "LUMETRIX.dll")
            names = table.split("[Ordinal/Name Pointer] Table", 1)[-1]
            exported = set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", names, re.MULTILINE))
            self.assertEqual(exported, LUMETRIX_EXPORTS, target)

    def test_the_library_carries_the_programs_version_and_the_program_its_manifest(self):
        major, minor = VERSION.split(".")
        for target, files in self.zips.items():
            blocks = [resource(files["KORU/" + name], self.scratch, name, "version.txt").decode("utf-16")
                      for name in ("KORU.exe", "LUMETRIX.dll")]
            for block in blocks:
                self.assertIn(f"FILEVERSION    {major},{minor},0,0", block)
                self.assertRegex(block, rf'VALUE "ProductVersion",\s+"{VERSION}"')
                self.assertRegex(block, r'VALUE "ProductName",\s+"MEDIA-PLAYER - KORU"')
            self.assertIn("VFT_DLL", blocks[1])
            self.assertRegex(blocks[1], r'VALUE "FileDescription",\s+"KORU ')

            manifest = resource(files["KORU/KORU.exe"], self.scratch, "KORU.exe", "MANIFEST/1").decode("utf-8")
            self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', manifest)
            self.assertIn('<requestedExecutionLevel level="asInvoker"', manifest)
            self.assertIn(">true</dpiAware>", manifest)
            # Windows Vista, 7, 8, 8.1, 10 and 11.
            self.assertEqual(len(re.findall(r"<supportedOS Id=", manifest)), 5)

    def test_the_installers_are_for_their_processor_and_carry_the_zips_files(self):
        for target in FORMATS:
            setup = release_file(f"KORU-{VERSION}-{target}-setup.exe")
            with open(setup, "rb") as f:
                self.assertIn("file format " + FORMATS[target], objdump("-f", f.read(), self.scratch, "setup.exe"))
            listing = run("7z", "l", "-slt", setup).decode("utf-8", "replace")
            payload = {line[len("Path = "):] for line in listing.splitlines() if line.startswith("Path = ")}
            self.assertLessEqual({"KORU.exe", "LUMETRIX.dll", "README.TXT", "Uninstall.exe"}, payload, target)
            for name in ("KORU.exe", "LUMETRIX.dll", "README.TXT"):
                self.assertEqual(run("7z", "e", "-so", setup, name), self.zips[target]["KORU/" + name],
                                 f"{target} installer's {name}")


if __name__ == "__main__":
    unittest.main()
