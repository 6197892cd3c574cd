"""The clock handled with the mouse, with real input through xdotool: drags and
their limits, the context menu and its commands, the tray icon's clicks, the
about box and its link, the calendar and the hover opacity, and a bitmap face
at every smoothing method. With TAVIX_SCREENSHOTS set to a folder, the open
menu is photographed into it (the README's picture); with TAVIX_E2E_PICTURES
set to a folder, the bitmap face is (docs/bitmap-face.png comes from it)."""

import os
import time

import harness
from harness import TavixTestCase

CMD_OPTIONS, CMD_ABOUT, CMD_EXIT = 32776, 32777, 32778
CMD_CLICK_THROUGH, CMD_UNMOVABLE, CMD_ON_TOP, CMD_CALENDAR, CMD_ALARMS = 32779, 32780, 32781, 32782, 32783
TRAY_ID = 31234
WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE = 0x203, 0x205, 0x200
WEB_ADDRESS = "https://tavix.example/"


def dword(value):
    """A registry DWORD as the signed number it stands for."""
    return value - (1 << 32) if value >= 1 << 31 else value


class ClockInHandTest(TavixTestCase):
    # -- input ----------------------------------------------------------------

    def xdotool(self, *args):
        harness._run(["xdotool"] + [str(a) for a in args], env=self.session.env, timeout=30)

    def move_to(self, x, y):
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)

    def drag(self, start, end, steps=8):
        """Presses the left button at start, moves in steps to end and releases it there."""
        self.move_to(*start)
        self.xdotool("mousedown", 1)
        time.sleep(0.2)
        for i in range(1, steps + 1):
            self.move_to(start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
        self.xdotool("mouseup", 1)
        time.sleep(0.5)

    def clock_rect(self, hwnd):
        for w in self.session.windows():
            if w["hwnd"] == hwnd:
                return w["rect"]
        self.fail_seen("the clock window %d is gone" % hwnd)

    def wait_registry(self, name, value, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            values = self.session.reg_query() or {}
            if name in values and values[name] == value:
                return True
            time.sleep(0.3)
        return False

    def open_menu_on_clock(self, rect):
        self.move_to((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
        self.xdotool("click", 3)
        return self.wait_menu()

    def wait_menu(self, timeout=10):
        """The pop-up menu window on the screen. Wine keeps a menu's items in the
        process that made it, so the items themselves are read by the Wine tests."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            menus = [w for w in self.session.windows() if w["class"] == "#32768" and w["visible"]]
            if menus:
                self.note("menu window: " + harness._window_line(menus[0]))
                return menus[0]
            time.sleep(0.2)
        self.fail_seen("no pop-up menu within %s s" % timeout)

    def choose(self, command, layered=True):
        """Chooses an item of the open menu with the keyboard, as a user may:
        Down to it, then Enter. Its place in the menu is the menu's order."""
        order = [CMD_OPTIONS, CMD_ALARMS, CMD_CALENDAR] + ([CMD_CLICK_THROUGH] if layered else []) + [
            CMD_UNMOVABLE, CMD_ON_TOP, CMD_ABOUT, CMD_EXIT]
        for _ in range(order.index(command) + 1):
            self.xdotool("key", "Down")
            time.sleep(0.1)
        self.xdotool("key", "Return")
        time.sleep(0.7)

    def window_of(self, pid, predicate, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for w in self.session.windows(pid=pid):
                if w["visible"] and predicate(w):
                    return w
            time.sleep(0.3)
        return None

    def register_browser(self, command):
        """Makes `command` the handler of http and https addresses in the prefix
        until the test ends. Windows reads the user's classes first; Wine 8
        reads only the machine's, which the clean-up puts back."""
        for scheme in ("http", "https"):
            for root in ("HKCU", "HKLM"):
                key = "%s\\Software\\Classes\\%s\\shell\\open\\command" % (root, scheme)
                before = (self.session.reg_query(key) or {}).get("")
                harness._run(["wine", "reg", "add", key, "/ve", "/d", command, "/f"], env=self.session.env, timeout=60)
                if before is None:
                    self.addCleanup(self.session.reg_delete, key)
                else:
                    self.addCleanup(harness._run, ["wine", "reg", "add", key, "/ve", "/d", before, "/f"],
                                    env=self.session.env, timeout=60)

    # -- dragging -------------------------------------------------------------

    def test_drags_move_the_clock_within_the_screen_and_store_its_corner_at_once(self):
        process, clock = self.start_clock(settings={"Left": 300, "Top": 200, "LimitWinPos": 1})
        hwnd = clock["hwnd"]
        left, top, right, bottom = self.clock_rect(hwnd)
        width, height = right - left, bottom - top
        screen_width = self.session.metrics()["screen"][0]

        grab = (left + width // 2, top + height // 2)
        self.drag(grab, (grab[0] + 100, grab[1] + 60))
        moved = self.clock_rect(hwnd)
        self.assertEqual(moved[:2], [left + 100, top + 60], "the grabbed point did not follow the cursor")
        values = self.session.reg_query()
        self.assertEqual((dword(values.get("Left", 0)), dword(values.get("Top", 0))), (left + 100, top + 60),
                         "the end of the drag did not store the corner")

        # Past the right edge the whole clock stays on the screen.
        grab = (moved[0] + width // 2, moved[1] + height // 2)
        self.drag(grab, (screen_width - 2, grab[1]))
        self.assertEqual(self.clock_rect(hwnd)[0], screen_width - width, "LimitWinPos let the clock leave the screen")
        self.assertTrue(self.wait_registry("Left", screen_width - width), "the limited corner was not stored")
        self.assertTrue(process.running())

    def test_a_drag_ends_while_the_about_box_runs_its_own_loop(self):
        process, clock = self.start_clock(settings={"Left": 600, "Top": 500})
        hwnd, pid = clock["hwnd"], clock["pid"]
        self.session.post(hwnd, "WM_COMMAND", CMD_ABOUT, 0)
        about = self.window_of(pid, lambda w: w["class"] == "#32770" and w["hwnd"] != hwnd)
        if about is None:
            self.fail_seen("the About command opened no box")
        left, top, right, bottom = self.clock_rect(hwnd)
        grab = ((left + right) // 2, (top + bottom) // 2)
        self.drag(grab, (grab[0] - 200, grab[1] - 150))
        self.assertTrue(self.wait_registry("Left", left - 200), "the drag did not end while the about box was open")
        # A move with no button held no longer carries the clock along.
        self.move_to(grab[0] - 300, grab[1] - 300)
        self.assertEqual(self.clock_rect(hwnd)[:2], [left - 200, top - 150])

    def test_a_bitmap_face_shows_and_takes_a_drag_at_every_smoothing_method(self):
        # default.bmp, the fallback of every preset that fails: a light dial in
        # a dark rim, pure red (the cut color) outside the rim.
        for method in (0, 1, 2):
            with self.subTest(AAMethod=method):
                process, clock = self.start_clock(
                    settings={"BackgrndBitmap": "default.bmp", "AAMethod": method, "Left": 300, "Top": 200})
                try:
                    self.check_bitmap_face(method, clock["hwnd"])
                    self.end_clock(process, clock)
                finally:
                    # A failed method must not leave its clock over the next one.
                    if process.running():
                        process.kill()

    def check_bitmap_face(self, method, hwnd):
        left, top, right, bottom = self.clock_rect(hwnd)
        cx, cy = (left + right) // 2, (top + bottom) // 2

        def dial_fraction(picture):
            # Hands cover a little of the dial around the centre.
            square = picture.crop(cx - 20, cy - 20, cx + 20, cy + 20)
            return square.count(lambda r, g, b: min(r, g, b) > 190) / (40 * 40)

        deadline = time.monotonic() + 15
        picture = self.session.screenshot()
        while dial_fraction(picture) < 0.6 and time.monotonic() < deadline:
            time.sleep(0.5)
            picture = self.session.screenshot()
        self.note("AAMethod %d: dial fraction %.2f, corner %r" %
                  (method, dial_fraction(picture), picture.pixel(left + 2, top + 2)))
        if dial_fraction(picture) < 0.6:
            self.fail_seen("AAMethod %d: no dial at the clock's centre" % method)
        face = picture.crop(left, top, right, bottom)
        self.assertEqual(face.count(lambda r, g, b: r > 230 and g < 40 and b < 40), 0,
                         "AAMethod %d: the cut color shows" % method)
        self.assertEqual(picture.pixel(left + 2, top + 2), (0, 0, 0),
                         "AAMethod %d: the corner outside the rim is not the desktop" % method)
        folder = os.environ.get("TAVIX_E2E_PICTURES")
        if folder and method == 2:
            picture.crop(left - 20, top - 20, right + 20, bottom + 20).save_png(
                os.path.join(folder, "bitmap-face.png"))

        self.drag((cx, cy), (cx + 120, cy + 80))
        self.assertEqual(self.clock_rect(hwnd)[:2], [left + 120, top + 80],
                         "AAMethod %d: the clock did not follow the drag" % method)
        self.assertTrue(self.wait_registry("Left", left + 120), "AAMethod %d: the corner was not stored" % method)

    # -- the menu and its commands -------------------------------------------

    def test_menu_shows_the_language_texts_and_its_commands_act_at_once(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        process, clock = self.start_clock(settings={"Left": 400, "Top": 300})
        hwnd = clock["hwnd"]
        rect = self.clock_rect(hwnd)

        menu = self.open_menu_on_clock(rect)
        self.assertEqual(menu["pid"], clock["pid"])
        self.assertEqual(menu["owner"], hwnd, "the menu is not owned by the clock")
        folder = os.environ.get("TAVIX_SCREENSHOTS")
        if folder:
            r = menu["rect"]
            self.session.screenshot().crop(rect[0] - 10, rect[1] - 10, max(rect[2], r[2]) + 10,
                                           max(rect[3], r[3]) + 10).save_png(os.path.join(folder, "context-menu.png"))

        # On top, chosen from the menu: no longer topmost, stored at once.
        self.choose(CMD_ON_TOP)
        self.assertTrue(self.wait_registry("OnTop", 0), "OnTop was not stored at once")
        self.assertFalse([w for w in self.session.windows() if w["hwnd"] == hwnd][0]["topmost"])

        # Unmovable: stored at once, and a drag no longer moves the clock.
        self.open_menu_on_clock(rect)
        self.choose(CMD_UNMOVABLE)
        self.assertTrue(self.wait_registry("UnmovableWin", 1), "UnmovableWin was not stored at once")
        centre = ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
        self.drag(centre, (centre[0] + 120, centre[1] + 80))
        self.assertEqual(self.clock_rect(hwnd)[:2], rect[:2], "an unmovable clock moved")

        # Click-through: the style and the store at once.
        self.open_menu_on_clock(rect)
        self.choose(CMD_CLICK_THROUGH)
        self.assertTrue(self.wait_registry("ClickThrough", 1), "ClickThrough was not stored at once")
        ex = [w for w in self.session.windows() if w["hwnd"] == hwnd][0]["exstyle"]
        self.assertTrue(ex & harness.WS_EX_TRANSPARENT, "WS_EX_TRANSPARENT missing: 0x%08x" % ex)

        # A click-through clock is still reached from its tray icon; Exit ends
        # it with every setting written.
        self.session.post(hwnd, "WM_USER", TRAY_ID, WM_RBUTTONUP)
        self.wait_menu()
        self.choose(CMD_EXIT)
        if process.wait(30) is None:
            self.fail_seen("Exit did not end the clock")
        values = self.session.reg_query()
        for name in ("AAMethod", "SmoothPNGHands", "MultipleTimeZones"):
            self.assertIn(name, values, "the settings were not written at exit")
        self.assertEqual((values["OnTop"], values["UnmovableWin"], values["ClickThrough"]), (0, 1, 1))

    # -- the tray icon ---------------------------------------------------------

    def test_tray_double_click_brings_the_clock_into_the_work_area_and_other_ids_do_nothing(self):
        process, clock = self.start_clock(settings={"Left": -100, "Top": 300, "DontReposWindow": 1})
        hwnd = clock["hwnd"]
        self.assertEqual(self.clock_rect(hwnd)[0], -100)
        self.assertEqual(self.session.send(hwnd, "WM_USER", TRAY_ID + 1, WM_LBUTTONDBLCLK), 0)
        self.assertEqual(self.session.send(hwnd, "WM_USER", TRAY_ID, WM_MOUSEMOVE), 0)
        self.assertEqual(self.clock_rect(hwnd)[0], -100, "a notification that is not ours moved the clock")
        self.assertEqual(self.session.send(hwnd, "WM_USER", TRAY_ID, WM_LBUTTONDBLCLK), 1)
        work_left = self.session.metrics()["workarea"][0]
        self.assertEqual(self.clock_rect(hwnd)[:2], [work_left, 300], "the double click did not bring the clock back")

    def test_tray_icon_comes_back_when_the_shell_restarts(self):
        process, clock = self.start_clock()
        hwnd = clock["hwnd"]
        if not self.session.tray_tips():
            self.skipTest("no tray icons can be read here")
        code, _ = self.session.probe("tray-delete", hwnd, TRAY_ID)
        self.assertEqual(code, 0)
        self.assertEqual(self.session.tray_tips(), [], "the icon was not removed")
        self.session.post(hwnd, "registered:TaskbarCreated", 0, 0)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and not self.session.tray_tips():
            time.sleep(0.3)
        self.assertTrue(self.session.tray_tips(), "the icon was not added again for TaskbarCreated")

    # -- the about box and the calendar ----------------------------------------

    def test_about_box_is_its_picture_its_link_calls_the_shell_and_a_click_elsewhere_closes_it(self):
        # A stand-in browser: the probe writes the address it is given to a file.
        opened = os.path.join(self.session.drive_c, "opened.txt")
        self.register_browser('C:\\probe.exe record C:\\opened.txt "%1"')
        if os.path.exists(opened):
            os.remove(opened)
        process, clock = self.start_clock()
        hwnd, pid = clock["hwnd"], clock["pid"]
        self.session.post(hwnd, "WM_COMMAND", CMD_ABOUT, 0)
        about = self.window_of(pid, lambda w: w["class"] == "#32770" and w["hwnd"] != hwnd)
        if about is None:
            self.fail_seen("the About command opened no box")
        left, top, right, bottom = about["rect"]
        self.assertEqual((right - left, bottom - top), (330, 130), "the about box is not the picture's size")

        self.move_to(left + 121, top + 46)
        self.xdotool("click", 1)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and not os.path.exists(opened):
            time.sleep(0.3)
        if not os.path.exists(opened):
            self.fail_seen("a click on the link did not open the web address")
        with open(opened, "rb") as f:
            self.assertEqual(f.read().decode("latin-1").strip(), WEB_ADDRESS)
        self.assertTrue(self.session.wait_window(timeout=1) is not None)
        self.assertIn(about["hwnd"], [w["hwnd"] for w in self.session.windows(pid=pid) if w["visible"]],
                      "the link closed the about box")

        self.move_to(left + 120, top + 50)  # one pixel left of the link
        self.xdotool("click", 1)
        if not self.session.wait_gone(about["hwnd"], timeout=10):
            self.fail_seen("a click outside the link did not close the about box")
        self.assertTrue(process.running())

    def test_calendar_opens_with_its_caption_and_ok_button(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        process, clock = self.start_clock()
        hwnd, pid = clock["hwnd"], clock["pid"]
        self.session.post(hwnd, "WM_COMMAND", CMD_CALENDAR, 0)
        calendar = self.window_of(pid, lambda w: w["title"] == texts[84] and w["class"] == "#32770")
        if calendar is None:
            self.fail_seen("no calendar titled %r" % texts[84])
        self.assertTrue(calendar["style"] & harness.WS_CAPTION)
        dialog = [m for m in self.session.probe("msgboxes", "--pid", pid)[1] if m["hwnd"] == calendar["hwnd"]][0]
        classes = [c["class"] for c in dialog["children"]]
        self.assertIn("SysMonthCal32", classes)
        self.assertEqual([b["text"] for b in dialog["buttons"] if b["id"] == 1], [texts[40]])
        self.session.click(calendar["hwnd"], 1)
        if not self.session.wait_gone(calendar["hwnd"], timeout=10):
            self.fail_seen("OK did not close the calendar")

    # -- hover ------------------------------------------------------------------

    def test_second_opacity_of_zero_hides_the_clock_while_the_pointer_is_over_it(self):
        process, clock = self.start_clock(settings={"Left": 500, "Top": 400, "UseAlpha2": 1, "Alpha2": 0})
        left, top, right, bottom = self.clock_rect(clock["hwnd"])

        def lit():
            return self.session.screenshot().crop(left, top, right, bottom).non_black_fraction()

        def settled(predicate, timeout=5):
            """The lit fraction once predicate holds, or the last one seen: the
            pointer is polled, and a loaded machine may take a while."""
            deadline = time.monotonic() + timeout
            while True:
                fraction = lit()
                if predicate(fraction) or time.monotonic() > deadline:
                    return fraction
                time.sleep(0.2)

        self.move_to(5, 1000)
        self.assertGreater(settled(lambda f: f > 0.2), 0.2, "the clock is not visible with the pointer away")
        self.move_to((left + right) // 2, (top + bottom) // 2)
        self.assertLess(settled(lambda f: f < 0.01), 0.01, "the clock did not vanish under the pointer")
        self.move_to(5, 1000)
        self.assertGreater(settled(lambda f: f > 0.2), 0.2, "the clock did not come back when the pointer left")
