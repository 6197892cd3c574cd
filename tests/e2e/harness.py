"""Drives the real Tavix.exe under Wine and Xvfb and observes it from outside.

A WineSession owns a throwaway Wine prefix (a clone of the one wineboot made
once, tools/wine_prefix.py), a private X server and a writable
copy of the program folder at C:\\Tavix inside the prefix. It starts Tavix.exe,
looks at its windows and message boxes through probe.exe, reads and writes the
registry with Wine's reg.exe and takes screenshots. Every wait is bounded; an
external command that overstays its time limit raises HarnessError.

Standard library only.
"""

import atexit
import collections
import glob
import json
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tools"))
import wine_prefix  # noqa: E402

TAVIX_KEY = r"HKCU\Software\Quandel\Tavix"
CLOCK_TITLE = "Tavix"

# Window styles, as probe.exe reports them (unsigned 32-bit).
WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_EX_TOPMOST = 0x00000008
WS_EX_TRANSPARENT = 0x00000020
WS_EX_TOOLWINDOW = 0x00000080
WS_EX_APPWINDOW = 0x00040000
WS_EX_LAYERED = 0x00080000
WS_EX_NOACTIVATE = 0x08000000

WINE_ENV = {
    "WINEDEBUG": "-all",
    # No Mono or Gecko installer, no desktop menu entries.
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
    "WINEARCH": "win64",
    # Dates, times and day names as the tests expect them, whatever the machine's locale.
    "LANG": "C.UTF-8",
    "LC_ALL": "C.UTF-8",
}


class HarnessError(Exception):
    """The harness itself could not do what it was asked (a tool failed or hung)."""


def dist_dir():
    return os.path.abspath(os.environ.get("TAVIX_E2E_DIST", os.path.join(REPO, "build", "dist")))


def probe_exe():
    return os.path.abspath(os.environ.get("TAVIX_E2E_PROBE", os.path.join(REPO, "build", "win", "probe.exe")))


def _run(cmd, env=None, timeout=30, check=True, cwd=None):
    """Runs a command to its end; returns (exit code, stdout, stderr) as Latin-1 text.

    The output goes through files, not pipes: the first Wine program after a
    server start launches Wine's explorer, which inherits the output handles and
    outlives the command, so a pipe would never reach its end."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        try:
            done = subprocess.run(cmd, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("%s did not finish within %s s" % (" ".join(cmd), timeout)) from None
        except FileNotFoundError:
            raise HarnessError("%s is not installed" % cmd[0]) from None
        out.seek(0)
        err.seek(0)
        out_text = out.read().decode("latin-1")
        err_text = err.read().decode("latin-1")
    if check and done.returncode != 0:
        raise HarnessError("%s failed (%d): %s" % (" ".join(cmd), done.returncode, err_text.strip() or out_text.strip()))
    return done.returncode, out_text, err_text


def _listens(socket_path):
    """Whether a server takes connections on this Unix socket."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        try:
            s.connect(socket_path)
            return True
        except OSError:
            return False


# Wine's services and shell, which a new server starts with its first program.
WINE_OWN_PROGRAMS = {"services.exe", "winedevice.exe", "plugplay.exe", "rpcss.exe", "svchost.exe", "explorer.exe",
                     "wineboot.exe"}


# ---------------------------------------------------------------------------
# Files of the program folder


def read_lng(path):
    """The numbered texts of a language file as {number: text}, read as the
    clock reads them: lines that start with a digit, number before the first
    comma, text after it; the last line of a number wins. A file that starts
    with the UTF-8 byte-order mark is UTF-8; any other is taken as Latin-1."""
    texts = {}
    with open(path, "rb") as f:
        data = f.read()
    encoding = "latin-1"
    if data.startswith(b"\xef\xbb\xbf"):
        data, encoding = data[3:], "utf-8"
    for raw in data.split(b"\n"):
        line = raw[:-1] if raw.endswith(b"\r") else raw
        if not line[:1].isdigit() or b"," not in line:
            continue
        head, text = line.split(b",", 1)
        digits = re.match(rb"\d+", head).group(0)
        texts[int(digits)] = text.decode(encoding, errors="replace")
    return texts


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack(">II", head[16:24])


def bmp_size(path):
    with open(path, "rb") as f:
        head = f.read(26)
    if head[:2] != b"BM":
        raise ValueError("%s is not a Windows bitmap" % path)
    width, height = struct.unpack("<ii", head[18:26])
    return width, abs(height)  # a negative height is a top-down bitmap


def image_size(path):
    return bmp_size(path) if path.lower().endswith(".bmp") else png_size(path)


def preset_size(path):
    """The size a preset's face shows at 100 %: its picture's size over the
    ImageScale its .INI gives (percent; 100 without one or outside 100..1000)."""
    width, height = image_size(path)
    scale = 100
    try:
        with open(os.path.splitext(path)[0] + ".INI", encoding="latin-1") as f:
            for line in f:
                name, _, value = line.strip().partition("=")
                if name.strip().lower() == "imagescale" and value.strip().isdigit():
                    scale = int(value.strip())
    except OSError:
        pass
    if not 100 <= scale <= 1000:
        scale = 100
    return width * 100 // scale, height * 100 // scale


# Settings of the shipped Original.png without hands (the date and AM/PM mark
# are switched off in the registry): what shows is the picture alone.
BARE_FACE_SETTINGS = """[Settings]
ImageScale=300
HourLength=0
MinuteLength=0
SecondLength=0
HourWidth=0
MinuteWidth=0
SecondWidth=0
"""


def png_corner_alpha(path):
    """Alpha of the top-left pixel of a PNG file, or None when the file has no
    alpha channel of a kind read here. The first pixel of the first row does
    not depend on the row filter, so only the start of the data is inflated."""
    with open(path, "rb") as f:
        data = f.read()
    pos, ihdr, idat, trns = 8, None, b"", None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            ihdr = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"tRNS":
            trns = body
        pos += 12 + length
    if ihdr is None:
        return None
    depth, colour, interlace = ihdr[8], ihdr[9], ihdr[12]
    if depth != 8 or interlace != 0:
        return None
    start = zlib.decompressobj().decompress(idat, 16)
    if colour == 6:
        return start[1 + 3]
    if colour == 4:
        return start[1 + 1]
    if colour == 3 and trns is not None:
        index = start[1]
        return trns[index] if index < len(trns) else 255
    return 255 if trns is None else None


# ---------------------------------------------------------------------------
# Screenshots


class Screenshot:
    """An RGB picture of the X screen (or a part of it)."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @staticmethod
    def from_ppm(data):
        # Header: P6, width, height, maxval, separated by blanks; then samples.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        pos += 1
        if fields[0] != b"P6":
            raise HarnessError("screenshot is not a PPM picture")
        width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
        body = data[pos:]
        if maxval > 255:
            body = bytes(body[i] for i in range(0, len(body), 2))  # high byte of each 16-bit sample
        if len(body) < width * height * 3:
            raise HarnessError("screenshot is cut short")
        return Screenshot(width, height, body[:width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, left, top, right, bottom):
        left, top = max(0, left), max(0, top)
        right, bottom = min(self.width, right), min(self.height, bottom)
        rows = [self.rgb[(y * self.width + left) * 3:(y * self.width + right) * 3] for y in range(top, bottom)]
        return Screenshot(max(0, right - left), max(0, bottom - top), b"".join(rows))

    def count(self, predicate):
        rgb = self.rgb
        return sum(1 for r, g, b in zip(rgb[0::3], rgb[1::3], rgb[2::3]) if predicate(r, g, b))

    def non_black_fraction(self):
        total = self.width * self.height
        if total == 0:
            return 0.0
        rgb = self.rgb
        lit = sum(1 for r, g, b in zip(rgb[0::3], rgb[1::3], rgb[2::3]) if r | g | b)
        return lit / total

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6)) +
                    chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# Processes


class Xvfb:
    """A private X server on a display number that the server picks itself,
    so that parallel sessions never fight over one."""

    def __init__(self, screen="1280x1024x24"):
        read_end, write_end = os.pipe()
        try:
            # -br: a black root window, so transparent parts of the clock read as black.
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp", "-br"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except FileNotFoundError:
            raise HarnessError("Xvfb is not installed") from None
        finally:
            os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(0, left))
                if not ready:
                    self.stop()
                    raise HarnessError("Xvfb did not start within 20 s")
                piece = os.read(read_end, 16)
                if not piece:
                    self.stop()
                    raise HarnessError("Xvfb ended at start")
                number += piece
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(10)


class TavixProcess:
    """One started Tavix.exe (the Unix side of it: `wine` ends when the program ends)."""

    def __init__(self, popen, args, log_path):
        self.popen, self.args, self.log_path = popen, args, log_path

    def running(self):
        return self.popen.poll() is None

    def wait(self, timeout):
        """The exit code, or None if the program still runs after timeout seconds."""
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.running():
            self.popen.kill()
            self.popen.wait(10)

    def log(self):
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode("latin-1")
        except OSError:
            return ""


class WineSession:
    """A Wine prefix with Tavix in C:\\Tavix, under its own Xvfb unless a display is given."""

    def __init__(self, dist=None, probe=None, display=None, screen="1280x1024x24"):
        self.dist = dist or dist_dir()
        self.probe_path = probe or probe_exe()
        for path in (os.path.join(self.dist, "Tavix.exe"), self.probe_path):
            if not os.path.isfile(path):
                raise HarnessError("%s is missing: build it with `make dist`" % path)
        self.root = tempfile.mkdtemp(prefix="tavix-e2e.")
        self.prefix = os.path.join(self.root, "prefix")
        self.xvfb = None
        self.processes = []
        self.closed = False
        # What happened to the session's Wine server and programs, for a failure's report.
        self.started = time.monotonic()
        self.events = collections.deque(maxlen=20)
        try:
            if display is None:
                self.xvfb = Xvfb(screen)
                display = self.xvfb.display
            self.display = display
            self.env = dict(os.environ, WINEPREFIX=self.prefix, DISPLAY=display, **WINE_ENV)
            # A clone of the prefix wineboot made once (crash dialog off, see wine_prefix.py).
            try:
                wine_prefix.clone(self.prefix, env=self.env)
            except wine_prefix.PrefixError as e:
                raise HarnessError(str(e)) from None
            self.drive_c = os.path.join(self.prefix, "drive_c")
            self.program_dir = os.path.join(self.drive_c, "Tavix")
            shutil.copy(self.probe_path, os.path.join(self.drive_c, "probe.exe"))
            self.restore_program_folder()
            self.start_server()
        except BaseException:
            self.close()
            raise

    # -- life cycle ---------------------------------------------------------

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.closed:
            return
        self.closed = True
        self.kill_all()
        if self.xvfb:
            self.xvfb.stop()
        # Wine finds a prefix's server by the prefix folder's device and inode.
        # A removed folder's inode comes back at once for the next new folder,
        # which could then reach a server of this prefix that is still going
        # away and be ended with it. The empty folder keeps the inode taken
        # until the run ends.
        for name in os.listdir(self.root):
            path = os.path.join(self.root, name)
            if name == "prefix" and os.path.isdir(path) and not os.path.islink(path):
                for inner in os.listdir(path):
                    _remove(os.path.join(path, inner))
            else:
                _remove(path)
        _spent_roots.append(self.root)

    def event(self, text):
        self.events.append("%.1f s: %s" % (time.monotonic() - self.started, text))

    def kill_all(self):
        """Ends every program of the prefix (Tavix, explorer, anything a test started)."""
        self.event("every program and the server ended")
        if os.path.isdir(self.prefix):
            _run(["wineserver", "-k"], env=self.env, timeout=30, check=False)
        for p in self.processes:
            p.kill()
        self.processes = []
        if os.path.isdir(self.prefix):
            # -k only signals; wait until the old server is gone before the next start
            _run(["wineserver", "-w"], env=self.env, timeout=30, check=False)
            if not self.closed:
                self.start_server()

    def start_server(self):
        """A server that stays until it is killed. One that a command such as
        `wine reg` starts goes as soon as its last program ends (Debian's
        wineserver is started with -p0), and a program that connects just
        then ends with it (exit code 1, nothing printed).

        `wineserver -p` only starts a server: while another one runs it ends
        with 2 and leaves that one as it is. After a kill, a program the old
        server was still starting (explorer, a service) can come up late and
        start a server of its own, one that goes with its last program, so
        such a server is ended and ours started again."""
        for _ in range(5):
            code, _, _ = _run(["wineserver", "-p"], env=self.env, timeout=30, check=False)
            if code == 0:
                break
            self.event("another server ran (wineserver -p ended with %d): ended it" % code)
            _run(["wineserver", "-k"], env=self.env, timeout=30, check=False)
            _run(["wineserver", "-w"], env=self.env, timeout=30, check=False)
        else:
            raise HarnessError("no lasting Wine server: `wineserver -p` ended with %d five times" % code)
        # -p returns before the server listens; a command started before that
        # would start a server of its own, and one of the two would go. The
        # socket's file is there a moment before it takes connections, so only
        # a connection that succeeds counts (a busy machine shows that moment).
        st = os.stat(self.prefix)
        pattern = "/tmp/*wine*/server-%x-%x/socket" % (st.st_dev, st.st_ino)
        deadline = time.monotonic() + 30
        while not any(_listens(path) for path in glob.glob(pattern)) and time.monotonic() < deadline:
            time.sleep(0.02)
        # The server's own process shows a moment after its socket takes connections.
        for _ in range(100):
            servers = self.describe_servers()
            if servers != "none":
                break
            time.sleep(0.02)
        self.event("server started: %s" % servers)

    def describe_servers(self):
        """The Wine servers of this prefix: pid and arguments ("-p0" alone: one that goes with its last program)."""
        try:
            st = os.stat(self.prefix)
        except OSError:
            return "none (no prefix)"
        folder = "server-%x-%x" % (st.st_dev, st.st_ino)
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                if os.path.basename(os.readlink("/proc/%s/cwd" % entry)) != folder:
                    continue
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    args = f.read().split(b"\0")
            except OSError:
                continue
            if os.path.basename(args[0].decode("latin-1")).startswith("wineserver"):
                found.append("pid %s %s" % (entry, " ".join(a.decode("latin-1") for a in args[1:] if a)))
        return "; ".join(found) or "none"

    def end_programs(self):
        """Ends every program of the prefix but Wine's own services and shell.
        A new server starts those again at its first program, a second or more
        of CPU each time: between tests the server and they stay."""
        for p in self.processes:
            p.kill()
        self.processes = []
        deadline = time.monotonic() + 15
        while True:
            programs = [(pid, name) for pid, name in self._prefix_processes() if name not in WINE_OWN_PROGRAMS]
            if not programs:
                return
            self.event("ending %s" % ", ".join("%s (%d)" % (name, pid) for pid, name in programs))
            if time.monotonic() > deadline:
                # Something will not go: start again from a new server.
                self.kill_all()
                return
            for pid, _ in programs:
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass
            time.sleep(0.05)

    def _prefix_processes(self):
        """(pid, lower-case program name) of the Windows programs running in this prefix."""
        found = []
        marker = ("WINEPREFIX=" + self.prefix).encode()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/environ" % entry, "rb") as f:
                    if marker not in f.read().split(b"\0"):
                        continue
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    program = f.read().split(b"\0")[0].decode("latin-1")
            except OSError:
                continue
            name = program.replace("\\", "/").rsplit("/", 1)[-1].lower()
            if name.startswith("wineserver"):
                continue
            found.append((int(entry), name))
        return found

    def reset(self):
        """A clean state for the next test: no programs, no settings, a fresh program folder."""
        self.end_programs()
        self.reg_delete()
        self.restore_program_folder()

    def restore_program_folder(self):
        shutil.rmtree(self.program_dir, ignore_errors=True)
        shutil.copytree(self.dist, self.program_dir)

    # -- paths --------------------------------------------------------------

    def path(self, *parts):
        """Unix path of a file in the program folder."""
        return os.path.join(self.program_dir, *parts)

    def win_path(self, *parts):
        """The same file as the program sees it."""
        return "C:\\Tavix\\" + "\\".join(parts) if parts else "C:\\Tavix\\"

    # -- the program --------------------------------------------------------

    def start_tavix(self, *args, env=None):
        """env: variables that differ from the session's for this start only."""
        if not any(name == "explorer.exe" for _, name in self._prefix_processes()):
            # Wine's desktop and services come up with the first program after a
            # server start. They come up first here, so that Tavix starts as it
            # does on a running desktop: on a busy machine a program that must
            # wait too long for the desktop gets no window and ends.
            self.event("desktop started for the next program")
            self.probe("windows")
        log_path = os.path.join(self.root, "tavix-%d.log" % (len(self.processes) + 1))
        process_env = dict(self.env, **(env or {}))
        with open(log_path, "wb") as log:
            popen = subprocess.Popen(["wine", self.win_path("Tavix.exe")] + list(args), env=process_env,
                                     cwd=self.program_dir, stdin=subprocess.DEVNULL, stdout=log,
                                     stderr=subprocess.STDOUT)
        process = TavixProcess(popen, args, log_path)
        self.processes.append(process)
        return process

    # -- probe --------------------------------------------------------------

    def _probe_run(self, args, timeout):
        """Runs probe.exe; returns (exit code, list of JSON records, its error text).
        Exit code 2 (the probe was called wrongly) raises."""
        code, out, err = _run(["wine", "C:\\probe.exe"] + [str(a) for a in args], env=self.env, timeout=timeout,
                              check=False)
        if code == 2:
            raise HarnessError("probe %s: %s" % (" ".join(map(str, args)), err.strip()))
        return code, [json.loads(line) for line in out.splitlines() if line.strip()], err

    def probe(self, *args, timeout=30):
        """Runs probe.exe; returns (exit code, list of JSON records)."""
        code, records, _ = self._probe_run(args, timeout)
        return code, records

    def must_probe(self, *args, timeout=30):
        """Runs probe.exe where the test cannot go on without it; a failure
        raises with the probe's own reason. Returns the JSON records."""
        code, records, err = self._probe_run(args, timeout)
        if code != 0:
            raise HarnessError("probe %s ended with %d: %s" % (" ".join(map(str, args)), code,
                                                              err.strip() or "(no output)"))
        return records

    def set_item_text(self, dialog, item, text):
        self.must_probe("settext", dialog, item, text)

    def send_item(self, dialog, item, msg, wparam=0, lparam=0):
        """Sends a message to a dialog's control; returns its result."""
        return self.must_probe("senditem", dialog, item, msg, wparam, lparam)[0]["result"]

    def windows(self, pid=None):
        extra = ["--pid", pid] if pid else []
        return self.probe("windows", *extra)[1]

    def clock_windows(self):
        """Visible top-level windows titled "Tavix" that are not message boxes."""
        titled = [w for w in self.windows() if w["title"] == CLOCK_TITLE and w["visible"]]
        if not titled:
            return []
        boxes = {m["hwnd"] for m in self.msgboxes()}
        return [w for w in titled if w["hwnd"] not in boxes]

    def msgboxes(self, pid=None):
        """Visible dialogs with at least one button: the message boxes on the screen."""
        extra = ["--pid", pid] if pid else []
        return [m for m in self.probe("msgboxes", *extra)[1] if m["visible"] and m["buttons"]]

    def wait_window(self, title=CLOCK_TITLE, timeout=30, pid=None):
        extra = ["--pid", pid] if pid else []
        code, records = self.probe("wait-window", title, int(timeout * 1000), *extra, timeout=timeout + 30)
        return records[0] if code == 0 and records else None

    def wait_msgbox(self, timeout=30, exclude=(), pid=None):
        extra = ["--pid", pid] if pid else []
        if exclude:
            extra += ["--not", ",".join(str(h) for h in exclude)]
        code, records = self.probe("wait-msgbox", int(timeout * 1000), *extra, timeout=timeout + 30)
        return records[0] if code == 0 and records else None

    def wait_gone(self, hwnd, timeout=30):
        code, _ = self.probe("wait-gone", hwnd, int(timeout * 1000), timeout=timeout + 30)
        return code == 0

    def click(self, hwnd, button="OK"):
        code, _ = self.probe("click", hwnd, button)
        return code == 0

    def key(self, hwnd, key):
        code, _ = self.probe("key", hwnd, key)
        return code == 0

    def close_window(self, hwnd):
        code, _ = self.probe("close", hwnd)
        return code == 0

    def post(self, hwnd, msg, wparam=0, lparam=0):
        code, _ = self.probe("post", hwnd, msg, wparam, lparam)
        return code == 0

    def send(self, hwnd, msg, wparam=0, lparam=0):
        """The result of the message, or None when the window did not answer."""
        code, records = self.probe("send", hwnd, msg, wparam, lparam)
        return records[0]["result"] if code == 0 and records else None

    def tray_tips(self):
        return [r["tip"] for r in self.probe("tray")[1]]

    def metrics(self):
        return self.probe("metrics")[1][0]

    def dismiss_messages(self, process, until=None, timeout=60, settle=1.0):
        """Answers the message boxes that come up with their first button until
        the program has ended, or until() holds while no box is up for `settle`
        seconds. Returns the texts in the order they came (each box's texts
        joined by a line feed)."""
        texts, seen = [], []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            box = self.wait_msgbox(timeout=settle, exclude=seen)
            if box:
                seen.append(box["hwnd"])
                texts.append("\n".join(box["texts"]))
                self.click(box["hwnd"], box["buttons"][0]["id"])
                continue
            if not process.running() or (until is not None and until()):
                return texts
        raise HarnessError("message boxes kept coming for %s s; seen: %r" % (timeout, texts))

    # -- registry -----------------------------------------------------------

    def reg_query(self, key=TAVIX_KEY):
        """The values directly under key as {name: int or str}, or None without the key.
        DWORDs come back unsigned (a stored -50 reads 4294967246)."""
        code, out, _ = _run(["wine", "reg", "query", key], env=self.env, timeout=60, check=False)
        if code != 0:
            return None
        values, in_key = {}, False
        for line in out.splitlines():
            if not line.strip():
                continue
            if not line.startswith(" "):
                in_key = line.strip().lower() == _long_key(key).lower()
                continue
            m = re.match(r"^    (.*?)    (REG_[A-Z_]+)(?:    (.*))?$", line)
            if not in_key or not m:
                continue
            name, kind, data = m.group(1), m.group(2), m.group(3) or ""
            if name == "(Default)":
                name = ""
            if kind == "REG_DWORD":
                values[name] = int(data, 16)
            else:
                values[name] = data
        return values

    def reg_set(self, name, value, key=TAVIX_KEY):
        """Writes a REG_DWORD for an int (two's complement for a negative one), a REG_SZ for a str."""
        if isinstance(value, int):
            kind, data = "REG_DWORD", str(value & 0xFFFFFFFF)
        else:
            kind, data = "REG_SZ", value
        _run(["wine", "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"], env=self.env, timeout=60)

    def reg_set_many(self, values, key=TAVIX_KEY):
        for name, value in values.items():
            self.reg_set(name, value, key)

    def reg_delete(self, key=TAVIX_KEY, name=None):
        cmd = ["wine", "reg", "delete", key] + (["/v", name] if name is not None else []) + ["/f"]
        _run(cmd, env=self.env, timeout=60, check=False)

    # -- screen -------------------------------------------------------------

    def hide_tray(self, timeout=10):
        """Hides Wine's stand-alone tray window and waits until the X server has
        unmapped it, which comes a second or two after Wine has hidden it."""
        if not self.probe("hide-tray")[1]:
            return
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            code, out, _ = _run(["xwininfo", "-display", self.display, "-name", "Wine System Tray"], timeout=30,
                                check=False)
            if code != 0 or "IsUnMapped" in out:
                return
            time.sleep(0.2)

    def screenshot(self, hide_tray=True):
        """The whole X screen. Wine's stand-alone tray window sits in the top-left
        corner, over the clock's default place; it is hidden first."""
        if hide_tray:
            self.hide_tray()
        try:
            done = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8", "ppm:-"],
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        except subprocess.TimeoutExpired:
            raise HarnessError("import did not finish within 60 s") from None
        except FileNotFoundError:
            raise HarnessError("ImageMagick's import is not installed") from None
        if done.returncode != 0:
            raise HarnessError("import failed: %s" % done.stderr.decode("latin-1").strip())
        return Screenshot.from_ppm(done.stdout)

    # -- diagnostics --------------------------------------------------------

    def describe(self):
        """What a person would see now: windows, message boxes, the settings, the programs' output."""
        lines = []
        try:
            lines.append("top-level windows:")
            for w in self.windows():
                if w["class"] in ("IME", "WineDdeServerName", "WineDdeEventClass"):
                    continue
                lines.append("  %s" % _window_line(w))
            lines.append("message boxes:")
            for m in self.msgboxes():
                lines.append("  hwnd %d pid %d title %r texts %r buttons %r" %
                             (m["hwnd"], m["pid"], m["title"], m["texts"], [b["text"] for b in m["buttons"]]))
            lines.append("registry %s: %r" % (TAVIX_KEY, self.reg_query()))
        except HarnessError as e:
            lines.append("(cannot look: %s)" % e)
        lines.append("Wine server: %s" % self.describe_servers())
        lines.append("server and programs:")
        lines.extend("  " + e for e in self.events)
        for p in self.processes:
            state = "running" if p.running() else "ended with %s" % p.popen.returncode
            lines.append("Tavix.exe %s: %s" % (" ".join(p.args), state))
            log = p.log().strip()
            if log:
                lines.append("  output: " + log[-2000:].replace("\n", "\n  "))
        return "\n".join(lines)


def _remove(path):
    if os.path.isdir(path) and not os.path.islink(path):
        shutil.rmtree(path, ignore_errors=True)
    else:
        try:
            os.remove(path)
        except OSError:
            pass


# Roots of closed sessions, each holding an empty prefix folder (see WineSession.close).
_spent_roots = []


@atexit.register
def _remove_spent_roots():
    while _spent_roots:
        shutil.rmtree(_spent_roots.pop(), ignore_errors=True)


def _long_key(key):
    root, _, rest = key.partition("\\")
    roots = {"HKCU": "HKEY_CURRENT_USER", "HKLM": "HKEY_LOCAL_MACHINE"}
    return roots.get(root.upper(), root) + ("\\" + rest if rest else "")


def _window_line(w):
    return "hwnd %d pid %d class %r title %r rect %r style 0x%08x exstyle 0x%08x owner %d %s%s" % (
        w["hwnd"], w["pid"], w["class"], w["title"], w["rect"], w["style"], w["exstyle"], w["owner"],
        "visible" if w["visible"] else "hidden", " topmost" if w["topmost"] else "")


def wine_prefix_template():
    """Makes the prefix that sessions are cloned from, if it is not there yet
    (wineboot runs under a private Xvfb of its own)."""
    try:
        wine_prefix.make_template()
    except (wine_prefix.PrefixError, OSError) as e:
        raise HarnessError(str(e)) from None


# ---------------------------------------------------------------------------
# One session shared by all test modules of a run (of a worker, when several run side by side).

_shared = None


def shared_session():
    global _shared
    if _shared is None or _shared.closed:
        _shared = WineSession()
    return _shared


def close_shared_session():
    global _shared
    if _shared is not None:
        _shared.close()
        _shared = None
    _remove_spent_roots()


atexit.register(close_shared_session)


def long_running(test):
    """Marks a test that takes minutes (it waits for the clock's minutes, or
    starts the clock many times): the runner hands such tests out first, so
    that none of them is left to end the run alone, and gives them twice the
    time limit."""
    test.long_running = True
    return test


class TavixTestCase(unittest.TestCase):
    """Base of the end-to-end tests: a shared session, reset before every test;
    on a failure the runner prints observed() (what the test saw and what is on
    the screen now)."""

    @classmethod
    def setUpClass(cls):
        cls.session = shared_session()

    def setUp(self):
        self.session.reset()
        self.notes = []
        self.addCleanup(self.session.end_programs)

    def note(self, text):
        self.notes.append(text)

    def observed(self):
        notes = "".join("\n  " + n for n in self.notes)
        return "what the test saw:%s\nnow:\n%s" % (notes or " (nothing noted)", self.session.describe())

    def fail_seen(self, message):
        self.fail("%s\n%s" % (message, self.observed()))

    def start_clock(self, *args, settings=None, timeout=60, messages_expected=False):
        """Starts Tavix.exe with the given settings in the registry and waits for its clock window.
        Unless messages_expected (an alarm that rings at the start opens its notice, which the
        probe counts as a message box, as soon as a slow start lets it), no message may be up."""
        if settings:
            self.session.reg_set_many(settings)
        process = self.session.start_tavix(*args)
        window = self.session.wait_window(CLOCK_TITLE, timeout=timeout)
        if window is None or (not messages_expected and self.session.msgboxes()):
            self.fail_seen("no clock window within %s s after starting Tavix.exe %s" % (timeout, " ".join(args)))
        self.note("clock window: " + _window_line(window))
        return process, window

    def end_clock(self, process, window, timeout=30):
        """Ends the clock with Escape, as a user would, and waits for the program to end."""
        self.session.key(window["hwnd"], "escape")
        if process.wait(timeout) is None:
            self.fail_seen("Tavix.exe still runs %s s after Escape" % timeout)
