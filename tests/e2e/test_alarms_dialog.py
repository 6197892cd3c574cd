"""The alarms dialog as a user meets it: opened from the running clock, a new
alarm added through the edit dialog rings. With TAVIX_SCREENSHOTS set to a
folder, the two dialogs are photographed into it (the README's pictures)."""

import os
import time

import harness
from harness import TavixTestCase

ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
ALARMS_COMMAND = 32783
CB_SETCURSEL = 0x14E
BM_SETCHECK = 0xF1
CBN_SELCHANGE = 1
EVERY_N_MINUTES = 5
ID_REPEAT, ID_NAME, ID_MINUTES, ID_PROGRAM_CHECK, ID_PROGRAM = 1025, 1039, 1083, 1027, 1030


class AlarmsDialogTest(TavixTestCase):
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

    def wait_file(self, name, timeout):
        path = os.path.join(self.session.drive_c, name)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            # cmd creates the file before it writes to it
            if os.path.isfile(path) and os.path.getsize(path) > 0:
                return path
            time.sleep(0.5)
        return None

    @harness.long_running
    def test_an_alarm_added_in_the_alarms_dialog_rings(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        process, clock = self.start_clock()
        pid = clock["pid"]
        self.session.post(clock["hwnd"], "WM_COMMAND", ALARMS_COMMAND, 0)
        alarms = self.wait_titled(texts[45], 15, pid)
        if alarms is None:
            self.fail_seen("the Alarms command (%d) opened no dialog titled %r within 15 s" %
                           (ALARMS_COMMAND, texts[45]))
        self.note("alarms dialog: " + harness._window_line(alarms))

        self.assertTrue(self.session.click(alarms["hwnd"], texts[41]), "no New button")
        edit = self.wait_titled(texts[55], 15, pid)
        if edit is None:
            self.fail_seen("New opened no edit dialog titled %r" % texts[55])
        hwnd = edit["hwnd"]
        self.session.set_item_text(hwnd, ID_NAME, "Added from the dialog")
        self.assertEqual(self.session.send_item(hwnd, ID_REPEAT, CB_SETCURSEL, EVERY_N_MINUTES), EVERY_N_MINUTES)
        self.session.post(hwnd, "WM_COMMAND", (CBN_SELCHANGE << 16) | ID_REPEAT, 0)
        time.sleep(0.5)
        self.session.set_item_text(hwnd, ID_MINUTES, "1")
        self.session.send_item(hwnd, ID_PROGRAM_CHECK, BM_SETCHECK, 1)
        self.session.post(hwnd, "WM_COMMAND", ID_PROGRAM_CHECK, 0)
        self.session.set_item_text(hwnd, ID_PROGRAM, "cmd /c echo rang> C:\\from_dialog.txt")
        time.sleep(0.5)
        self.photograph(edit, "alarm-edit-dialog.png")
        self.session.click(hwnd, 1)
        if not self.session.wait_gone(hwnd, timeout=10):
            self.fail_seen("the edit dialog stayed open after OK")

        time.sleep(0.5)
        self.photograph(alarms, "alarms-dialog.png")
        self.session.click(alarms["hwnd"], 1)
        if not self.session.wait_gone(alarms["hwnd"], timeout=10):
            self.fail_seen("the alarms dialog stayed open after OK")

        stored = self.session.reg_query(ALARMS_KEY + r"\1")
        self.note("stored alarm: %r" % stored)
        # Every minute from the moment the dialog opened: the next point lies within a minute.
        if self.wait_file("from_dialog.txt", timeout=90) is None:
            self.fail_seen("the alarm added in the dialog did not run its program within 90 s")
        self.end_clock(process, clock)
