"""Hostile presets and settings, as a downloaded preset or a hand-edited
registry brings them: each ends in the clock's own message or a sound default
within seconds, with the clock still answering and its memory bounded."""

import os
import shutil
import functools
import struct
import time
import unittest
import zlib

import harness
from harness import TavixTestCase

ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
ALARM_ENABLED = 1
# Wine's own GDI and the program's pictures stay far below this; the faults
# took one to several gigabytes.
PEAK_MEMORY_LIMIT = 400 << 20


@functools.lru_cache(maxsize=None)
def png_bytes(width, height):
    """An all-transparent RGBA PNG of any size: large pictures compress to almost nothing."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    row = b"\0" + b"\0" * (4 * width)
    compressor = zlib.compressobj(9)
    data = b"".join(compressor.compress(row) for _ in range(height)) + compressor.flush()
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


@functools.lru_cache(maxsize=None)
def rle_bmp_bytes(width, height):
    """An 8-bit RLE bitmap that declares width x height in a few hundred bytes."""
    palette = b"\0\0\0\0" * 256
    pixels = b"\0\1"  # end of bitmap
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(pixels), 2835, 2835, 256, 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + palette + pixels


class HostileInputTest(TavixTestCase):
    def lang(self, number):
        return harness.read_lng(self.session.path("Lang", "english.lng"))[number]

    def write(self, parts, content):
        mode = "wb" if isinstance(content, bytes) else "w"
        with open(self.session.path(*parts), mode) as f:
            f.write(content)

    def hostile_preset(self, ini):
        """Presets\\Hostile.png: the shipped face with the given settings."""
        shutil.copy(self.session.path("Presets", "Original.png"), self.session.path("Presets", "Hostile.png"))
        if not ini.lstrip().startswith("["):
            ini = "[Settings]\n" + ini
        self.write(("Presets", "Hostile.INI"), ini)
        return {"BackgrndBitmap": "Hostile.png"}

    def peak_memory(self):
        """The largest peak resident size of the prefix's Tavix.exe processes, in bytes."""
        peak = 0
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % pid, "rb") as f:
                    if b"Tavix.exe" not in f.read():
                        continue
                with open("/proc/%s/environ" % pid, "rb") as f:
                    if ("WINEPREFIX=" + self.session.prefix).encode() not in f.read().split(b"\0"):
                        continue
                with open("/proc/%s/status" % pid) as f:
                    for line in f:
                        if line.startswith("VmHWM:"):
                            peak = max(peak, int(line.split()[1]) * 1024)
            except OSError:
                continue
        return peak

    def check_answers_and_memory(self, window, settle):
        """Lets the clock draw for `settle` seconds, then asks it for WM_NULL."""
        time.sleep(settle)
        code, records = self.session.probe("send", window["hwnd"], 0, 0, 0)
        if code != 0:
            self.fail_seen("the clock does not answer WM_NULL")
        peak = self.peak_memory()
        self.note("peak memory %d MB" % (peak >> 20))
        self.assertLess(peak, PEAK_MEMORY_LIMIT, "Tavix.exe peaked at %d MB" % (peak >> 20))

    def hostile_cases(self):
        s = self.session
        original_ini = open(s.path("Presets", "Original.INI"), encoding="latin-1").read()
        face = lambda name: [self.lang(1) + " " + s.win_path("Presets", name)]
        return [
            # group, what, files written before the start, the Hostile preset's
            # settings (None: no such preset), registry values, expected messages
            ("drawn", "HourWidth 1000000, no smoothing", {}, "HourWidth=1000000\n", {"AAMethod": 0}, []),
            ("drawn", "HourWidth 1000000, smoothing doubles it", {}, "HourWidth=1000000\n", {"AAMethod": 1}, []),
            ("drawn", "SecondLength 1e9 and a huge lap", {}, "SecondLength=1000000000\nSecondLap=2147483647\n",
             {"AAMethod": 2}, []),
            ("language", "LangFile COM1", {}, None, {"LangFile": "COM1"}, ["Cannot open " + s.win_path("Lang", "COM1")]),
            ("language", "LangFile com1.lng", {}, None, {"LangFile": "com1.lng"}, ["Cannot open " + s.win_path("Lang", "com1.lng")]),
            ("language", "LangFile a folder", {}, None, {"LangFile": "..\\Lang"}, ["Cannot open " + s.win_path("Lang", "..\\Lang")]),
            ("device", "BackgrndBitmap COM1", {}, None, {"BackgrndBitmap": "COM1"}, face("COM1")),
            ("device", "BackgrndBitmap COM1.png", {}, None, {"BackgrndBitmap": "COM1.png"}, face("COM1.png")),
            ("device", "BackgrndBitmap \\\\.\\COM1", {}, None, {"BackgrndBitmap": "\\\\.\\COM1"}, face("\\\\.\\COM1")),
            ("device", "SecondPNG com1.png", {}, original_ini.replace("Original_second.png", "com1.png"), {}, [self.lang(9)]),
            ("size", "PNG face 8000 x 8000", {("Presets", "Big.png"): png_bytes(8000, 8000)}, None,
             {"BackgrndBitmap": "Big.png"}, ["PNG error!"] + face("Big.png")),
            ("size", "RLE bitmap 16000 x 16000", {("Presets", "Big.bmp"): rle_bmp_bytes(16000, 16000)}, None,
             {"BackgrndBitmap": "Big.bmp"}, face("Big.bmp")),
            ("size", "hand image 3000 x 8", {("Presets", "long_hand.png"): png_bytes(3000, 8)}, "HourPNG=long_hand.png\n",
             {}, ["PNG error!", self.lang(7)]),
        ]

    def run_hostile_cases(self, kind):
        s = self.session
        for case_kind, what, files, preset_ini, settings, expected in self.hostile_cases():
            if case_kind != kind:
                continue
            with self.subTest(what):
                s.reset()
                for parts, content in files.items():
                    self.write(parts, content)
                if preset_ini is not None:
                    settings = dict(settings, **self.hostile_preset(preset_ini))
                s.reg_set_many(settings)
                started = time.monotonic()
                process = s.start_tavix()
                messages = s.dismiss_messages(process, until=lambda: bool(s.clock_windows()), timeout=30)
                self.note("%s: messages %r after %.1f s" % (what, messages, time.monotonic() - started))
                self.assertEqual(messages, expected)
                window = s.wait_window(timeout=15)
                if window is None:
                    self.fail_seen("no clock window")
                self.check_answers_and_memory(window, settle=2)
                self.end_clock(process, window)

    def test_an_alarm_sound_on_a_device_plays_nothing_and_the_alarm_is_stored(self):
        s = self.session
        s.reg_set_many({
            "Name": "Port",
            "Time": int(time.time() + 4),
            "Flags": ALARM_ENABLED,
            "Execute": "cmd /c echo rang> C:\\port.txt",
            "Sound": "COM1",
        }, key=ALARMS_KEY + "\\1")
        process, window = self.start_clock()
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and (s.reg_query(ALARMS_KEY + "\\1") or {}).get("Flags") != 0:
            time.sleep(1)
        self.assertEqual((s.reg_query(ALARMS_KEY + "\\1") or {}).get("Flags"), 0,
                         "the one-shot alarm was not stored disabled")
        self.check_answers_and_memory(window, settle=0)
        self.end_clock(process, window)

    # The table runs in groups, each within the time limit of one test.
    def test_oversized_drawing_values(self):
        self.run_hostile_cases("drawn")

    @harness.long_running
    def test_oversized_pictures(self):
        self.run_hostile_cases("size")

    @harness.long_running
    def test_device_names_and_folders_as_language_files(self):
        self.run_hostile_cases("language")

    @harness.long_running
    def test_device_names_as_preset_files(self):
        self.run_hostile_cases("device")

    def import_unicode(self, name, value):
        """Stores a REG_SZ through a Unicode .reg file: reg.exe's command line
        goes through the code page and would store the lossy text itself."""
        text = ('Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"%s"="%s"\r\n' %
                (harness.TAVIX_KEY.replace("HKCU", "HKEY_CURRENT_USER"), name, value))
        with open(os.path.join(self.session.drive_c, "unicode.reg"), "wb") as f:
            f.write(b"\xff\xfe" + text.encode("utf-16-le"))
        harness._run(["wine", "regedit", "/s", "C:\\unicode.reg"], env=self.session.env, timeout=60)

    def export_unicode(self, name):
        """The value as stored, read from a Unicode export of the key."""
        harness._run(["wine", "regedit", "/e", "C:\\export.reg", harness.TAVIX_KEY.replace("HKCU", "HKEY_CURRENT_USER")],
                     env=self.session.env, timeout=60)
        with open(os.path.join(self.session.drive_c, "export.reg"), "rb") as f:
            text = f.read().decode("utf-16")
        prefix = '"%s"="' % name
        for line in text.splitlines():
            if line.startswith(prefix):
                return line[len(prefix):-1]
        return None

    def test_a_name_outside_the_code_page_is_written_back_unchanged(self):
        s = self.session
        name = "\u6642\u8a08.png"  # "clock" in Japanese: no character of it is in a Western code page
        self.import_unicode("BackgrndBitmap", name)
        self.assertEqual(self.export_unicode("BackgrndBitmap"), name, "the prefix did not store the name")
        process = s.start_tavix()
        messages = s.dismiss_messages(process, until=lambda: bool(s.clock_windows()), timeout=30)
        self.note("messages %r" % messages)
        self.assertEqual(len(messages), 1)
        self.assertTrue(messages[0].startswith(self.lang(1) + " "), messages)
        window = s.wait_window(timeout=15)
        self.end_clock(process, window)
        self.assertEqual(self.export_unicode("BackgrndBitmap"), name)

    def test_a_program_path_over_259_characters_keeps_the_settings_key(self):
        s = self.session
        # The folder itself stays within MAX_PATH: only the program's own name is cut.
        parts = ["a-rather-long-folder-name-for-the-clock"] * 6 + ["Tavix-here"]
        folder = os.path.join(s.drive_c, *parts)
        shutil.copytree(s.program_dir, folder)
        win_folder = "C:\\" + "\\".join(parts)
        self.assertLess(len(win_folder), 259)
        self.assertGreater(len(win_folder + "\\Tavix.exe"), 259)
        s.reg_set("ZoomValue", 150)
        s.reg_set("UseZoom", 1)
        log = open(os.path.join(s.root, "long-path.log"), "wb")
        self.addCleanup(log.close)
        popen = harness.subprocess.Popen(["wine", win_folder + "\\Tavix.exe"], env=s.env, cwd=folder,
                                         stdin=harness.subprocess.DEVNULL, stdout=log, stderr=log)
        process = harness.TavixProcess(popen, (), log.name)
        s.processes.append(process)
        window = s.wait_window(timeout=30)
        if window is None:
            self.fail_seen("no clock started from the long path")
        width, height = harness.preset_size(s.path("Presets", "Original.png"))
        self.assertEqual(window["rect"][2] - window["rect"][0], width * 150 // 100, "the stored zoom was ignored")
        self.end_clock(process, window)
        self.assertIsNone(s.reg_query(r"HKCU\Software\Quandel\Tavi"), "settings went to a cut-off key")


if __name__ == "__main__":
    unittest.main()
