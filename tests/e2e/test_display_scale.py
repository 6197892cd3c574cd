"""The clock at the display scales users run: the face keeps its size to the
eye (the preset's size times the monitor scale, times the zoom)."""

import os

import harness
from harness import TavixTestCase

# Where Wine keeps the system DPI; the program reads it when it starts.
DPI_KEYS = (r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts")


class DisplayScaleTest(TavixTestCase):
    def set_dpi(self, dpi):
        for key in DPI_KEYS:
            self.session.reg_set("LogPixels", dpi, key)

    def tearDown(self):
        self.session.kill_all()
        self.set_dpi(96)

    def test_window_is_the_preset_size_times_monitor_scale_and_zoom(self):
        name = "Original.png" if os.path.isfile(self.session.path("Presets", "Original.png")) else "default.bmp"
        width, height = harness.image_size(self.session.path("Presets", name))
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
