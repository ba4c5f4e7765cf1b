"""Drives KORU.exe under Wine from outside, the way a user would: starts it,
hands it command lines, reads its windows through koru_probe.exe, closes it
and reads the files it wrote. Used by the end-to-end tests (test_*.py)."""

import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import unittest

BUILD_DIR = os.environ["KORU_BUILD_DIR"]
HARNESS_DIR = os.environ["KORU_HARNESS_DIR"]
ARTIFACTS_DIR = os.path.join(BUILD_DIR, "e2e-artifacts")


def wait_until(condition, timeout=30, interval=0.1):
    """Polls condition until it holds or timeout seconds have passed; returns its last answer."""
    deadline = time.monotonic() + timeout
    while True:
        answer = condition()
        if answer or time.monotonic() >= deadline:
            return answer
        time.sleep(interval)


def harness_environment():
    env = dict(os.environ)
    with open(os.path.join(HARNESS_DIR, "env.sh"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line.startswith("export "):
                continue
            for assignment in line[len("export "):].split(" "):
                if "=" in assignment:
                    key, value = assignment.split("=", 1)
                    env[key] = value.strip("'")
    return env


ENV = harness_environment()
WINE = ENV["KORU_WINE"]

IDYES = 6
IDNO = 7
# The buttons of the player's own message dialog (ui/message_dialog_ids.h).
MESSAGE_DIALOG_BUTTONS = {IDYES: 221, IDNO: 222}
FIRST_START_QUESTION = "主なﾒﾃﾞｨｱﾌｧｲﾙをKORUに関連付けしますか？"


def windows_path(unix_path):
    """The path under which Windows programs in Wine see a Unix file."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class Koru:
    """One working folder with its own KORU.exe, so KORU.ini and the lists
    live there, and the owner instance started from it."""

    def __init__(self, name):
        self.folder = tempfile.mkdtemp(prefix=f"e2e-{name}-", dir=BUILD_DIR)
        for program in ("KORU.exe", "LUMETRIX.dll"):
            shutil.copy(os.path.join(BUILD_DIR, program), self.folder)
        self.exe = os.path.join(self.folder, "KORU.exe")
        self.owner = None
        self.owner_log = None

    # --- processes -----------------------------------------------------
    def start_owner(self, *args, cwd=None, wait=True, env=None, first_start_answer=IDNO):
        """Starts the owner instance; with wait, returns the caption of its
        main window once it shows. On a first start (no window position saved
        yet) KORU then asks whether to associate the main media types; with
        wait, the question gets first_start_answer (None: left to the caller)."""
        first_start = self.first_start()
        self.owner_log = open(os.path.join(self.folder, "owner.log"), "wb")
        self.owner = subprocess.Popen([WINE, self.exe, *args], cwd=cwd or self.folder, env=env or ENV,
                                      stdout=self.owner_log, stderr=subprocess.STDOUT)
        if not wait:
            return None
        caption = self.wait_window()
        if caption is None:
            raise AssertionError("KORU's main window did not appear")
        if first_start and first_start_answer is not None:
            self.answer_first_start(first_start_answer)
        return caption

    def answer_first_start(self, answer):
        """Waits for the first start's question, which the player's own
        message dialog asks, and answers it (IDYES, IDNO)."""
        texts = self.dialog_texts()
        if texts is None or FIRST_START_QUESTION not in texts:
            raise AssertionError(f"the first start's question did not appear: {texts!r}")
        if not self.answer_dialog(MESSAGE_DIALOG_BUTTONS[answer]):
            raise AssertionError("the first start's question has no such button")
        code, _ = self.probe("wait-gone", "#32770", "30000")
        if code != 0:
            raise AssertionError("the first start's question did not close")

    def first_start(self):
        """True when KORU will take this start for the first: no window
        position in KORU.ini."""
        try:
            left = ini_value(self.read_bytes("KORU.ini"), "FORM", "left")
        except FileNotFoundError:
            return True
        return left is None or left.strip() == "-1"

    def run_sender(self, *args, cwd=None, timeout=60):
        """A later instance: returns its exit code."""
        with open(os.path.join(self.folder, "sender.log"), "ab") as log:
            return subprocess.run([WINE, self.exe, *args], cwd=cwd or self.folder, env=ENV,
                                  stdout=log, stderr=subprocess.STDOUT, timeout=timeout).returncode

    def close_owner(self, timeout=60):
        """Closes the main window as a user would and returns the exit code."""
        self.probe("close", "TfrmMain", str(timeout * 1000))
        try:
            return self.owner.wait(timeout=timeout)
        finally:
            self.owner_log.close()

    def hold(self, name, timeout=120):
        """Another program opens the file without sharing: returns the Popen
        of the holder once it holds the file; release() lets it go."""
        release = os.path.join(self.folder, name + ".release")
        holder = subprocess.Popen([WINE, os.path.join(BUILD_DIR, "koru_probe.exe"), "hold",
                                   windows_path(os.path.join(self.folder, name)), windows_path(release),
                                   str(timeout * 1000)], env=ENV, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if holder.stdout.readline().strip() != b"held":
            holder.wait()
            raise AssertionError(f"could not hold {name}")
        holder.release = lambda: (open(release, "wb").close(), holder.wait(timeout=60))
        return holder

    def kill(self):
        if self.owner and self.owner.poll() is None:
            self.owner.kill()
            self.owner.wait()
        if self.owner_log:
            self.owner_log.close()

    # --- looking from outside -----------------------------------------------
    def probe(self, *args):
        result = subprocess.run([WINE, os.path.join(BUILD_DIR, "koru_probe.exe"), *args], env=ENV,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
        return result.returncode, result.stdout.decode("utf-8", "replace")

    def main_windows(self):
        code, out = self.probe("list", "TfrmMain")
        return [line.split("\t", 2) for line in out.splitlines() if line]

    def wait_window(self, text="", timeout=30):
        code, out = self.probe("wait", "TfrmMain", str(timeout * 1000), *([text] if text else []))
        return out.strip() if code == 0 else None

    def wait_caption(self, text, timeout=30):
        """Waits until the main window's caption contains text."""
        return self.wait_window(text, timeout)

    def dialog_texts(self, timeout=30):
        """Waits for a message box or the player's message dialog and returns its texts."""
        code, _ = self.probe("wait", "#32770", str(timeout * 1000))
        if code != 0:
            return None
        code, out = self.probe("texts", "#32770")
        return out

    def wait_dialog_gone(self, timeout=30):
        code, _ = self.probe("wait-gone", "#32770", str(timeout * 1000))
        return code == 0

    def answer_dialog(self, button_id):
        code, _ = self.probe("press", "#32770", str(button_id))
        return code == 0

    def wait_enabled(self, control_id, enabled, timeout=30):
        """Waits until a control of the main window (a speed button by its command's id) is enabled or not."""
        code, _ = self.probe("wait-enabled", "TfrmMain", str(control_id), "YES" if enabled else "NO",
                             str(timeout * 1000))
        return code == 0

    def wait_colour(self, left, top, width, height, rgb, timeout=30):
        """Waits until the screen shows the colour (0xRRGGBB) in a rectangle of the main window's client area."""
        code, _ = self.probe("wait-colour", "TfrmMain", str(left), str(top), str(width), str(height),
                             f"{rgb:06X}", str(timeout * 1000))
        return code == 0

    def command(self, command_id):
        self.probe("command", "TfrmMain", str(command_id))

    def path(self, name):
        return os.path.join(self.folder, name)

    def layout(self):
        """The main window's client size and its visible controls' bounds:
        {"client": (width, height), (class, text): (left, top, width, height)}."""
        code, out = self.probe("layout", "TfrmMain")
        found = {}
        for line in out.splitlines():
            fields = line.split("\t")
            if fields[0] == "client":
                found["client"] = tuple(int(n) for n in fields[1:3])
            elif len(fields) == 6:
                found[(fields[0], fields[1])] = tuple(int(n) for n in fields[2:6])
        return found

    def caption(self):
        windows = self.main_windows()
        return windows[0][2] if windows else None

    def screenshot(self, name):
        os.makedirs(ARTIFACTS_DIR, exist_ok=True)
        path = os.path.join(ARTIFACTS_DIR, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=ENV, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    # --- what KORU wrote ---------------------------------------------------
    def read_bytes(self, name):
        with open(os.path.join(self.folder, name), "rb") as f:
            return f.read()

    def exists(self, name):
        return os.path.exists(os.path.join(self.folder, name))

    def write_ini(self, text):
        """KORU.ini as a user would leave it (code page 932, CR LF)."""
        with open(self.path("KORU.ini"), "wb") as f:
            f.write(text.replace("\n", "\r\n").encode("cp932"))


def wine_reg(*args):
    """Runs Wine's reg.exe in the harness prefix: (exit code, output)."""
    result = subprocess.run([WINE, "reg", *args], env=ENV, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            timeout=60)
    return result.returncode, result.stdout.decode("utf-8", "replace")


class Mascot:
    """A desktop mascot's SSTP server on 127.0.0.1:port, for the length of a
    test: it records each request and answers it (or, with answers=False,
    never answers and waits for KORU to hang up)."""

    def __init__(self, port, answers=True):
        self.answers = answers
        self.requests = []
        self.connections = 0
        self._changed = threading.Condition()
        self._stopping = False
        self._server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self._server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self._server.bind(("127.0.0.1", port))
        self._server.listen(8)
        self._server.settimeout(0.2)
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _serve(self):
        while not self._stopping:
            try:
                peer, _ = self._server.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            threading.Thread(target=self._visit, args=(peer,), daemon=True).start()

    def _visit(self, peer):
        with peer:
            with self._changed:
                self.connections += 1
                self._changed.notify_all()
            peer.settimeout(30)
            request = b""
            try:
                while b"\r\n\r\n" not in request:
                    piece = peer.recv(4096)
                    if not piece:
                        break
                    request += piece
                if self.answers:
                    peer.sendall(b"SSTP/1.0 200 OK\r\n\r\n")
                else:
                    while peer.recv(4096):
                        pass
            except OSError:
                pass
            with self._changed:
                self.requests.append(request)
                self._changed.notify_all()

    def wait_requests(self, count, timeout=30):
        """The requests once count have arrived (fewer on a time-out)."""
        with self._changed:
            self._changed.wait_for(lambda: len(self.requests) >= count, timeout)
            return list(self.requests)

    def close(self):
        self._stopping = True
        self._thread.join()
        self._server.close()


def sstp_request(script):
    """The bytes KORU sends for a script (given as text)."""
    return (b"SEND SSTP/1.0\r\nSender: MEDIA-PLAYER - KORU\r\nScript: " + script.encode("cp932") +
            b"\\e\r\n\r\n")


class MascotMutex:
    """The mascot's mutex "sakura", held by koru_probe under the harness's
    wineserver while the block runs."""

    def __init__(self, koru):
        self._koru = koru
        self._process = None

    def __enter__(self):
        self._process = subprocess.Popen([WINE, os.path.join(BUILD_DIR, "koru_probe.exe"), "hold-mutex", "sakura",
                                          "600000"], env=ENV, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if self._process.stdout.readline().strip() != b"held":
            raise AssertionError("koru_probe could not hold the mascot's mutex")
        return self

    def __exit__(self, *exc):
        self._process.kill()
        self._process.wait()
        self._process.stdout.close()


def set_screen_dpi(dpi):
    """The screen's DPI for programs started from now on (Wine's LogPixels)."""
    subprocess.run([WINE, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                    "/d", str(dpi), "/f"], env=ENV, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def write_wav(path, seconds, frequency=440, rate=22050):
    """A mono 16-bit PCM tone, enough for the media device to play in real time."""
    import math
    import struct
    import wave
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        frames = int(rate * seconds)
        w.writeframes(b"".join(struct.pack("<h", int(6000 * math.sin(2 * math.pi * frequency * i / rate)))
                               for i in range(frames)))


def write_avi(path, width, height, frames, rgb, fps=10):
    """An uncompressed 32-bit AVI whose frames are all of one colour
    (0xRRGGBB), with its index: a movie the system's own device plays."""
    import struct

    def chunk(fourcc, body):
        return fourcc + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")

    def riff_list(kind, body):
        return chunk(b"LIST", kind + body)

    frame_bytes = width * height * 4
    avih = struct.pack("<14I", 1000000 // fps, frame_bytes * fps, 0, 0x10, frames, 0, 1, frame_bytes, width, height,
                       0, 0, 0, 0)
    strh = b"vidsDIB " + struct.pack("<10I4H", 0, 0, 0, 1, fps, 0, frames, frame_bytes, 0xFFFFFFFF, 0,
                                     0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, frame_bytes, 0, 0, 0, 0)
    pixel = bytes([rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF, 0])
    frame = chunk(b"00db", pixel * (width * height))
    movi = frame * frames
    index = b"".join(b"00db" + struct.pack("<III", 0x10, 4 + i * len(frame), frame_bytes) for i in range(frames))
    body = (riff_list(b"hdrl", chunk(b"avih", avih) + riff_list(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
            + riff_list(b"movi", movi) + chunk(b"idx1", index))
    with open(path, "wb") as f:
        f.write(chunk(b"RIFF", b"AVI " + body))


# The own list format as KORU writes it, so that a list KORU loads and saves
# again comes back byte for byte.
LIST_HEADER = (
    "MEDIA-PLAYER KORU List File\r\n;\r\n;0:リストのタイトル\r\n"
    ";1:ドキュメントファイル名(パスなしの場合はリストファイルと同一フォルダ)\r\n;2:フォント名\r\n;3:フォントサイズ\r\n"
    ";4:フォントスタイル\r\n;5:行の折り返し指定\r\n;※現在のバージョンでは対応しておりません\r\n"
    "0:\r\n1:\r\n2:ＭＳ Ｐゴシック\r\n3:9\r\n4:0\r\n5:1\r\n;\r\n"
    ";a:ファイル名(パスなしの場合はリストファイルと同一フォルダ)\r\n;b:書庫ファイル内ファイル名\r\n;c:タイトル\r\n"
    ";d:演奏時間\r\n;e:メディア種類 SMF/MP3\r\n;f:プログラマ名/アーティスト\r\n;g:著作権/コメント\r\n"
    ";h:音源名/アルバム\r\n;i:エディット\r\n;j:演奏レート\r\n;\r\n")


def list_file(paths):
    text = LIST_HEADER
    for path in paths:
        text += f"a:{path}\r\nb:\r\nc:x\r\nd:0\r\ne:\r\nf:\r\ng:\r\nh:\r\ni:\r\nj:\r\n@\r\n"
    return text.encode("cp932")


def is_player_message_dialog(texts):
    """Whether the dialog koru_probe's texts describe is the player's own
    message dialog (TfrmMsg): its label has the control id 210."""
    return "\nStatic\t210\t" in texts


def entries(list_bytes):
    """The a: (path) lines of a saved list file, decoded."""
    return [line[2:].decode("cp932") for line in list_bytes.split(b"\r\n") if line.startswith(b"a:")]


def ini_value(ini_bytes, section, key):
    current = None
    for line in ini_bytes.decode("cp932").split("\r\n"):
        if line.startswith("["):
            current = line.strip("[]")
        elif current == section and line.split("=", 1)[0] == key:
            return line.split("=", 1)[1]
    return None


def cp932(text):
    return text.encode("cp932")


class KoruTestCase(unittest.TestCase):
    def setUp(self):
        self.koru = Koru(self.id().split(".")[-1])
        # A player left over from another test would take our command lines.
        code, _ = self.koru.probe("wait-gone", "TfrmMain", "15000")
        self.assertEqual(code, 0, "another KORU is still running")

    def tearDown(self):
        self.koru.kill()
