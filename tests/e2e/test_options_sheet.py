"""The options sheet as a user meets it: opened from the running clock, a new
face picked on the background page and kept with OK is the face the clock
starts with next time, and the time switched off the tray leaves the tooltip
at once. With TAVIX_SCREENSHOTS set to a folder, the window and
background pages are photographed into it (the README's pictures)."""

import os
import time

import harness
from harness import TavixTestCase

OPTIONS_COMMAND = 32776
PSM_SETCURSEL = 0x465
LB_SETCURSEL = 0x186
LBN_SELCHANGE = 1
ID_PRESETS = 1073
ID_TIME_IN_TRAY = 1069
BM_SETCHECK = 0xF1


class OptionsSheetTest(TavixTestCase):
    def wait_titled(self, title, timeout, pid):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for w in self.session.windows(pid=pid):
                if w["title"] == title and w["visible"] and w["class"] == "#32770":
                    return w
            time.sleep(0.3)
        return None

    def photograph(self, window, name):
        folder = os.environ.get("TAVIX_SCREENSHOTS")
        if not folder:
            return
        left, top, right, bottom = window["rect"]
        self.session.screenshot().crop(left, top, right, bottom).save_png(os.path.join(folder, name))

    def children(self, sheet_hwnd, pid):
        for box in self.session.msgboxes(pid=pid):
            if box["hwnd"] == sheet_hwnd:
                return box["children"]
        return []

    def test_a_face_picked_in_the_options_and_kept_with_ok_is_there_after_a_restart(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        process, clock = self.start_clock()
        pid = clock["pid"]
        self.session.post(clock["hwnd"], "WM_COMMAND", OPTIONS_COMMAND, 0)
        sheet = self.wait_titled(texts[37], 15, pid)
        if sheet is None:
            self.fail_seen("the Options command opened no sheet titled %r" % texts[37])
        self.note("options sheet: " + harness._window_line(sheet))
        time.sleep(0.5)
        self.photograph(sheet, "options-window-page.png")

        self.session.post(sheet["hwnd"], PSM_SETCURSEL, 1, 0)
        time.sleep(0.5)
        children = self.children(sheet["hwnd"], pid)
        lists = [c for c in children if c["id"] == ID_PRESETS and c["class"].lower() == "listbox"]
        pages = [c for c in children if c["class"] == "#32770" and c["visible"]]
        if not lists or len(pages) != 1:
            self.fail_seen("no preset list on a shown background page: %r" % children)
        # Sorted, Classic.png comes first; the clock starts with Original.png.
        self.session.send(lists[0]["hwnd"], LB_SETCURSEL, 0, 0)
        self.session.post(pages[0]["hwnd"], "WM_COMMAND", (LBN_SELCHANGE << 16) | ID_PRESETS, lists[0]["hwnd"])
        time.sleep(1.0)
        # The sheet itself counts as a box with buttons; nothing else may be up.
        if [m for m in self.session.msgboxes(pid=pid) if m["hwnd"] != sheet["hwnd"]]:
            self.fail_seen("picking Classic.png showed a message")
        self.photograph(sheet, "options-background-page.png")

        # The time leaves the tray tooltip as soon as OK is pressed.
        self.session.post(sheet["hwnd"], PSM_SETCURSEL, 0, 0)
        time.sleep(0.5)
        boxes = [c for c in self.children(sheet["hwnd"], pid) if c["id"] == ID_TIME_IN_TRAY]
        if not boxes:
            self.fail_seen("no time-in-tray box on the window page")
        tips_before = self.session.tray_tips()
        self.note("tray tips before OK: %r" % tips_before)
        self.assertNotEqual(tips_before, ["Tavix"], "the tooltip should show the time while the sheet is open")
        self.session.send(boxes[0]["hwnd"], BM_SETCHECK, 0, 0)
        self.session.click(sheet["hwnd"], 1)
        if not self.session.wait_gone(sheet["hwnd"], timeout=10):
            self.fail_seen("the sheet stayed open after OK")
        self.assertEqual(self.session.reg_query().get("BackgrndBitmap"), "Classic.png", self.observed())
        self.assertEqual(self.session.reg_query().get("TimeInSysTray"), 0, self.observed())
        self.assertEqual(self.session.tray_tips(), ["Tavix"], self.observed())
        self.end_clock(process, clock)

        process, clock = self.start_clock()
        width, height = harness.preset_size(self.session.path("Presets", "Classic.png"))
        left, top, right, bottom = clock["rect"]
        self.assertEqual((right - left, bottom - top), (width, height), self.observed())
        self.end_clock(process, clock)
