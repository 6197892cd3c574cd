"""The clock at the display scales users run: the face keeps its size to the
eye (the preset's size times the monitor scale, times the zoom)."""

import os
import shutil
import time

import harness
import picture_reduction
from harness import TavixTestCase

# Where Wine keeps the system DPI; the program reads it when it starts.
DPI_KEYS = (r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts")

BARE_FACE = harness.BARE_FACE_SETTINGS


class DisplayScaleTest(TavixTestCase):
    def set_dpi(self, dpi):
        for key in DPI_KEYS:
            self.session.reg_set("LogPixels", dpi, key)

    def tearDown(self):
        self.session.kill_all()
        self.set_dpi(96)

    def test_window_is_the_preset_size_times_monitor_scale_and_zoom(self):
        name = "Original.png" if os.path.isfile(self.session.path("Presets", "Original.png")) else "default.bmp"
        width, height = harness.preset_size(self.session.path("Presets", name))
        for dpi, use_zoom, zoom in ((96, 0, 100), (144, 0, 100), (192, 0, 100), (144, 1, 150)):
            with self.subTest(dpi=dpi, zoom=zoom if use_zoom else None):
                self.session.kill_all()
                self.set_dpi(dpi)
                factor = dpi * (zoom if use_zoom else 100)
                expected = (width * factor // 9600, height * factor // 9600)
                process, window = self.start_clock(settings={"UseZoom": use_zoom, "ZoomValue": zoom})
                left, top, right, bottom = window["rect"]
                self.note("%d DPI, zoom %s: %s" % (dpi, zoom if use_zoom else "off", window["rect"]))
                self.assertEqual((right - left, bottom - top), expected,
                                 "%s (%d x %d) at %d DPI" % (name, width, height, dpi))
                self.end_clock(process, window)

    @harness.long_running
    def test_the_face_is_reduced_from_its_3x_picture_at_every_scale(self):
        """A bare face (no hands, date or mark) without smoothing, screenshot at
        100, 150 and 200 %, against our own area reduction of its picture."""
        s = self.session
        shutil.copy(s.path("Presets", "Original.png"), s.path("Presets", "Bare.png"))
        with open(s.path("Presets", "Bare.INI"), "w") as f:
            f.write(BARE_FACE)
        nominal = harness.preset_size(s.path("Presets", "Bare.png"))
        for dpi in (96, 144, 192):
            with self.subTest(dpi=dpi):
                self.session.kill_all()
                self.set_dpi(dpi)
                process, window = self.start_clock(settings={
                    "BackgrndBitmap": "Bare.png", "ShowDate": 0, "ShowAMPM": 0, "AAMethod": 0,
                    "Left": 20, "Top": 20})
                time.sleep(2)  # the first frame comes with the first tick
                left, top, right, bottom = window["rect"]
                shot = s.screenshot().crop(left, top, right, bottom)
                self.end_clock(process, window)
                size = (right - left, bottom - top)
                self.assertEqual(size, (nominal[0] * dpi // 96, nominal[1] * dpi // 96))
                expected = picture_reduction.reduced_over_black(s.path("Presets", "Bare.png"), *size)
                differences = [abs(a - b) for a, b in zip(shot.rgb, expected)]
                mean = sum(differences) / len(differences)
                large = sum(1 for d in differences if d > 24) / len(differences)
                self.note("%d DPI: window %d x %d, mean difference %.2f, %.3f %% of samples off by more than 24"
                          % (dpi, size[0], size[1], mean, 100 * large))
                # A stretch by sampling of the 3x picture, or an enlargement of
                # a 1x one, leaves steps along every edge: far more than this.
                self.assertLess(mean, 1.5)
                self.assertLess(large, 0.002)
