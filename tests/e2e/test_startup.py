"""Starting Tavix.exe as a user would: the clock window, the settings it leaves
behind, a second instance, the benchmark switch, and broken language files
and presets."""

import os
import re
import shutil
import time
import unittest

import harness
from harness import TavixTestCase

# Every value the clock writes on exit, with what a fresh user gets. Left and
# Top are written only by a drag.
DEFAULT_SETTINGS = {
    "OnTop": 1,
    "Alpha": 255,
    "Alpha2": 255,
    "UseAlpha2": 0,
    "AAMethod": 1,
    "Priority": 1,
    "BackgrndBitmap": "Original.png",  # Wine has layered windows
    "LangFile": "english.lng",
    "UnmovableWin": 0,
    "LimitWinPos": 0,
    "ClickThrough": 0,
    "PinToDesktop": 0,
    "ShowAMPM": 1,
    "ShowDate": 0,
    "SmoothPNGHands": 1,
    "DontReposWindow": 0,
    "TimeInSysTray": 1,
    "HideFromAltTab": 1,
    "MultipleInstances": 1,
    "UseZoom": 0,
    "ZoomValue": 100,
    "UseSecondHand": 1,
    "DefaultTimeZone": "",
    "MultipleTimeZones": 0,
}


def copy_lng_without(source, target, number):
    """Writes source to target without the entry lines of one number."""
    with open(source, "rb") as f:
        lines = f.read().split(b"\n")
    kept = []
    for line in lines:
        digits = re.match(rb"\d+", line)
        if digits is None or int(digits.group(0)) != number:
            kept.append(line)
    with open(target, "wb") as f:
        f.write(b"\n".join(kept))


class ClockWindowTest(TavixTestCase):
    def default_preset(self):
        name = "Original.png" if os.path.isfile(self.session.path("Presets", "Original.png")) else "default.bmp"
        return name, harness.preset_size(self.session.path("Presets", name))

    def test_fresh_start_shows_a_borderless_topmost_clock_without_taskbar_entry(self):
        process, window = self.start_clock()
        windows = self.session.windows()
        titled = [w for w in windows if w["title"] == harness.CLOCK_TITLE]
        if len(titled) != 1:
            self.fail_seen("expected one window titled Tavix, found %d" % len(titled))

        style, ex = window["style"], window["exstyle"]
        self.assertTrue(style & harness.WS_POPUP, "not a popup window: style 0x%08x" % style)
        self.assertEqual(style & harness.WS_CAPTION, 0, "has a caption or border: style 0x%08x" % style)
        for flag, name in ((harness.WS_EX_LAYERED, "WS_EX_LAYERED"), (harness.WS_EX_TOOLWINDOW, "WS_EX_TOOLWINDOW")):
            self.assertTrue(ex & flag, "%s missing: exstyle 0x%08x" % (name, ex))
        self.assertFalse(ex & harness.WS_EX_APPWINDOW, "WS_EX_APPWINDOW set: exstyle 0x%08x" % ex)
        self.assertTrue(window["topmost"], "not topmost")

        owners = [w for w in windows if w["hwnd"] == window["owner"]]
        if window["owner"] == 0 or not owners:
            self.fail_seen("the clock window has no owner window")
        self.assertFalse(owners[0]["visible"], "the owner window is visible")
        self.assertEqual(owners[0]["pid"], window["pid"], "the owner window belongs to another process")

        name, (width, height) = self.default_preset()
        self.assertEqual(window["rect"], [10, 10, 10 + width, 10 + height],
                         "not at (10, 10) with the size of %s (%d x %d)" % (name, width, height))

        self.check_face_on_screen(window, name)
        self.end_clock(process, window)

    def check_face_on_screen(self, window, preset):
        left, top, right, bottom = window["rect"]
        # The first frame comes with the first tick; give it a few seconds.
        deadline = time.monotonic() + 15
        while True:
            shot = self.session.screenshot()
            lit = shot.crop(left, top, right, bottom).non_black_fraction()
            if lit > 0.05 or time.monotonic() > deadline:
                break
            time.sleep(1)
        self.note("lit part of the clock's rectangle: %.3f" % lit)
        if lit <= 0.05:
            self.fail_seen("the clock's rectangle is (nearly) all black: the face is not drawn")
        if preset.lower().endswith(".png") and harness.png_corner_alpha(self.session.path("Presets", preset)) == 0:
            self.assertEqual(shot.pixel(left, top), (0, 0, 0),
                             "the transparent corner of %s is not see-through on the screen" % preset)

    def test_enter_or_escape_ends_the_clock_and_saves_every_default(self):
        for key in ("escape", "enter"):
            with self.subTest(key=key):
                self.session.reg_delete()
                process, window = self.start_clock()
                self.session.key(window["hwnd"], key)
                if process.wait(30) is None:
                    self.fail_seen("Tavix.exe still runs 30 s after %s" % key)
                values = self.session.reg_query() or {}
                self.note("registry after exit: %r" % values)
                for name, expected in DEFAULT_SETTINGS.items():
                    self.assertIn(name, values, "%s not written" % name)
                    self.assertEqual(values[name], expected, name)
                    self.assertIsInstance(values[name], type(expected), "%s has the wrong registry type" % name)
                self.assertNotIn("Left", values)
                self.assertNotIn("Top", values)


class TrayIconTest(TavixTestCase):
    def test_tooltip_shows_date_and_time_or_the_name(self):
        weekday = time.strftime("%A")  # Wine's clock and locale follow the machine's
        for in_tray, pattern in ((1, r"^.+\n\d{1,2}:\d{2}.*, " + weekday + "$"), (0, r"^Tavix$")):
            with self.subTest(TimeInSysTray=in_tray):
                self.session.kill_all()
                process, window = self.start_clock(settings={"TimeInSysTray": in_tray})
                deadline = time.monotonic() + 10
                while True:
                    tips = self.session.tray_tips()
                    if any(re.match(pattern, t) for t in tips) or time.monotonic() > deadline:
                        break
                    time.sleep(0.5)
                self.note("tray tooltips: %r" % tips)
                if len(tips) != 1 or not re.match(pattern, tips[0]):
                    self.fail_seen("expected one tray tooltip matching %r" % pattern)
                self.end_clock(process, window)
                self.assertEqual(self.session.tray_tips(), [], "the tray icon outlived the clock")


class InstanceTest(TavixTestCase):
    def wait_for_clocks(self, count, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            clocks = self.session.clock_windows()
            if len(clocks) == count:
                return clocks
            time.sleep(0.5)
        self.fail_seen("expected %d clock windows" % count)

    def test_instances_run_up_to_their_limit_and_one_more_ends_silently(self):
        cases = [
            # settings, how many clocks may run together (None: any number)
            ({"MultipleInstances": 0}, 1),
            ({"MultipleTimeZones": 1}, 3),
            ({}, None),
        ]
        for settings, limit in cases:
            with self.subTest(settings=settings):
                self.session.kill_all()
                self.session.reg_delete()
                self.session.reg_set_many(settings)
                running = []
                for n in range(1, (limit or 2) + 1):
                    running.append(self.session.start_tavix())
                    clocks = self.wait_for_clocks(n)
                if limit is not None:
                    extra = self.session.start_tavix()
                    if extra.wait(30) is None:
                        self.fail_seen("start number %d still runs 30 s after its start" % (limit + 1))
                    self.assertEqual(sorted(c["hwnd"] for c in self.session.clock_windows()),
                                     sorted(c["hwnd"] for c in clocks), "the running clocks were touched")
                self.assertTrue(all(p.running() for p in running), "a running instance ended")
                self.assertEqual(self.session.msgboxes(), [], "a message came up")


class BenchmarkTest(TavixTestCase):
    def test_benchmark_reports_the_frame_rate_and_ends(self):
        for switch in ("-benchmark", "-bench2"):
            with self.subTest(switch=switch):
                self.session.kill_all()
                self.session.reg_delete()
                process = self.session.start_tavix(switch)
                box = self.session.wait_msgbox(timeout=120)
                if box is None:
                    self.fail_seen("no benchmark result within 120 s")
                text = "\n".join(box["texts"])
                self.note("%s message: %r" % (switch, text))
                self.assertRegex(text, r"(?m)^[0-9.]+ fps - 2000 times in [0-9.]+ s$")
                if switch == "-benchmark":
                    self.assertIn("one second after the one before", text)
                self.session.click(box["hwnd"], box["buttons"][0]["id"])
                if process.wait(30) is None:
                    self.fail_seen("Tavix.exe still runs 30 s after the benchmark message was answered")
                self.assertIn("OnTop", self.session.reg_query() or {}, "settings not written on the way out")

    def test_switch_in_other_letters_or_with_more_text_starts_the_clock(self):
        for args in (["-BENCHMARK"], ["-benchmark", "x"]):
            with self.subTest(args=args):
                self.session.kill_all()
                process, window = self.start_clock(*args)
                self.end_clock(process, window)


class BrokenFilesTest(TavixTestCase):
    def lang(self, number):
        return harness.read_lng(self.session.path("Lang", "english.lng"))[number]

    @harness.long_running
    def test_broken_language_files(self):
        s = self.session
        cases = [
            # what to break, chosen LangFile, expected messages, whether the clock then runs
            ("chosen file lacks 57", "broken.lng",
             ["ID 57 is missing in " + s.win_path("Lang", "broken.lng")], True),
            ("chosen file missing, english.lng lacks 3", "nothere.lng",
             ["Cannot open " + s.win_path("Lang", "nothere.lng"),
              "ID 3 is missing in " + s.win_path("Lang", "english.lng"),
              "Error loading language!"], False),
            ("chosen file lacks 57, english.lng missing", "broken.lng",
             ["ID 57 is missing in " + s.win_path("Lang", "broken.lng"),
              "Cannot open " + s.win_path("Lang", "english.lng"),
              "Error loading language!"], False),
        ]
        for what, lang_file, expected, runs in cases:
            with self.subTest(what):
                s.reset()
                english = s.path("Lang", "english.lng")
                if lang_file == "broken.lng":
                    copy_lng_without(english, s.path("Lang", "broken.lng"), 57)
                if "english.lng lacks 3" in what:
                    copy_lng_without(english, english + ".tmp", 3)
                    os.replace(english + ".tmp", english)
                if "english.lng missing" in what:
                    os.remove(english)
                self.run_with_messages({"LangFile": lang_file}, expected, runs)
                self.assertEqual((s.reg_query() or {}).get("LangFile"), lang_file, "LangFile changed")

    def test_missing_preset(self):
        s = self.session
        nope = s.win_path("Presets", "nope.bmp")
        for default_missing in (False, True):
            with self.subTest(default_bmp_missing=default_missing):
                s.reset()
                if default_missing:
                    os.remove(s.path("Presets", "default.bmp"))
                else:
                    width, height = harness.image_size(s.path("Presets", "default.bmp"))
                window = self.run_with_messages({"BackgrndBitmap": "nope.bmp"}, [self.lang(1) + " " + nope],
                                                not default_missing)
                if window:
                    self.assertEqual(window["rect"], [10, 10, 10 + width, 10 + height],
                                     "not the size of default.bmp (%d x %d)" % (width, height))
                values = s.reg_query() or {}
                self.assertEqual(values.get("BackgrndBitmap"), "default.bmp" if default_missing else "nope.bmp")

    def test_broken_png_preset(self):
        s = self.session
        cases = [
            # what, preset file content, expected messages before the default face
            ("signature then garbage", b"\x89PNG\r\n\x1a\n" + b"\0\0\0\rIHDR" + b"\xff" * 40,
             ["PNG error!"]),
            ("a JPEG named .png", b"\xff\xd8\xff\xe0\0\x10JFIF\0" + b"\0" * 64, []),
        ]
        width, height = harness.image_size(s.path("Presets", "default.bmp"))
        for what, content, decoder_messages in cases:
            with self.subTest(what):
                s.reset()
                with open(s.path("Presets", "broken.png"), "wb") as f:
                    f.write(content)
                path = s.win_path("Presets", "broken.png")
                window = self.run_with_messages({"BackgrndBitmap": "broken.png"},
                                                decoder_messages + [self.lang(1) + " " + path], True)
                self.assertEqual(window["rect"], [10, 10, 10 + width, 10 + height], "not the size of default.bmp")
                self.assertEqual((s.reg_query() or {}).get("BackgrndBitmap"), "broken.png")

    def test_missing_hand_image_is_reported_and_the_clock_runs(self):
        s = self.session
        s.reset()
        presets = s.path("Presets")
        shutil.copy(os.path.join(presets, "Original.png"), os.path.join(presets, "OneHand.png"))
        with open(os.path.join(presets, "Original.INI"), encoding="latin-1") as f:
            settings = f.read()
        with open(os.path.join(presets, "OneHand.INI"), "w", encoding="latin-1") as f:
            f.write(settings.replace("Original_hour.png", "no_such_hour.png"))
        self.run_with_messages({"BackgrndBitmap": "OneHand.png"}, [self.lang(7)], True)

    def run_with_messages(self, settings, expected, clock_runs):
        """Starts Tavix with settings, answers its messages and compares them with
        expected. If the clock is to run, ends it with Escape and returns its
        window; otherwise checks that the program ended by itself."""
        self.session.reg_set_many(settings)
        process = self.session.start_tavix()
        messages = self.session.dismiss_messages(process, until=lambda: bool(self.session.clock_windows()))
        self.note("messages: %r" % messages)
        self.assertEqual(messages, expected)
        if not clock_runs:
            if process.wait(30) is None:
                self.fail_seen("Tavix.exe still runs 30 s after its last message")
            return None
        window = self.session.wait_window(timeout=30)
        if window is None:
            self.fail_seen("no clock after the messages")
        self.end_clock(process, window)
        return window


if __name__ == "__main__":
    unittest.main()
