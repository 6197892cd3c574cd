"""Several clocks, one list of alarms, one clock that rings: an alarm added in
the alarms dialog of the second clock (which shows another zone) rings once,
in the first clock; when the first clock ends, the second rings the next one.
Each clock is started with its own TAVIX_WHO in its environment, which the
alarm's program writes, so the file tells which clock ran it."""

import os
import time

import harness
from harness import TavixTestCase

ALARMS_COMMAND = 32783
CB_SETCURSEL = 0x14E
BM_SETCHECK = 0xF1
CBN_SELCHANGE = 1
EVERY_N_MINUTES = 5
ID_REPEAT, ID_NAME, ID_MINUTES, ID_PROGRAM_CHECK, ID_PROGRAM = 1025, 1039, 1083, 1027, 1030
OUTPUT = "rings.txt"


class OneClockRingsTest(TavixTestCase):
    def wait_titled(self, title, timeout, pid):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for w in self.session.windows(pid=pid):
                if w["title"] == title and w["visible"] and w["class"] == "#32770":
                    return w
            time.sleep(0.3)
        return None

    def start_named(self, who, zone):
        self.session.reg_set_many({"MultipleTimeZones": 1, "DefaultTimeZone": zone})
        before = {w["hwnd"] for w in self.session.clock_windows()}
        process = self.session.start_tavix(env={"TAVIX_WHO": who})
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            new = [w for w in self.session.clock_windows() if w["hwnd"] not in before]
            if new:
                self.note("%s clock: %s" % (who, harness._window_line(new[0])))
                return process, new[0]
            time.sleep(0.5)
        self.fail_seen("the %s clock opened no window" % who)

    def rings(self):
        path = os.path.join(self.session.drive_c, OUTPUT)
        if not os.path.isfile(path):
            return []
        with open(path, "rb") as f:
            return [line.strip().decode("ascii", "replace") for line in f.read().splitlines() if line.strip()]

    def wait_rings(self, count, timeout):
        deadline = time.monotonic() + timeout
        while len(self.rings()) < count and time.monotonic() < deadline:
            time.sleep(0.5)
        return self.rings()

    def add_every_minute_alarm(self, clock):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        pid = clock["pid"]
        self.session.post(clock["hwnd"], "WM_COMMAND", ALARMS_COMMAND, 0)
        alarms = self.wait_titled(texts[45], 15, pid)
        if alarms is None:
            self.fail_seen("the second clock opened no alarms dialog")
        self.assertTrue(self.session.click(alarms["hwnd"], texts[41]), "no New button")
        edit = self.wait_titled(texts[55], 15, pid)
        if edit is None:
            self.fail_seen("New opened no edit dialog")
        hwnd = edit["hwnd"]
        self.session.set_item_text(hwnd, ID_NAME, "Every minute")
        self.assertEqual(self.session.send_item(hwnd, ID_REPEAT, CB_SETCURSEL, EVERY_N_MINUTES), EVERY_N_MINUTES)
        self.session.post(hwnd, "WM_COMMAND", (CBN_SELCHANGE << 16) | ID_REPEAT, 0)
        time.sleep(0.5)
        self.session.set_item_text(hwnd, ID_MINUTES, "1")
        self.session.send_item(hwnd, ID_PROGRAM_CHECK, BM_SETCHECK, 1)
        self.session.post(hwnd, "WM_COMMAND", ID_PROGRAM_CHECK, 0)
        self.session.set_item_text(hwnd, ID_PROGRAM, "cmd /c echo %%TAVIX_WHO%%>> C:\\%s" % OUTPUT)
        time.sleep(0.5)
        self.session.click(hwnd, 1)
        if not self.session.wait_gone(hwnd, timeout=10):
            self.fail_seen("the edit dialog stayed open after OK")
        self.session.click(alarms["hwnd"], 1)
        if not self.session.wait_gone(alarms["hwnd"], timeout=10):
            self.fail_seen("the alarms dialog stayed open after OK")

    @harness.long_running
    def test_the_first_clock_rings_and_the_second_takes_over(self):
        first_process, first = self.start_named("first", "")
        second_process, second = self.start_named("second", "Tokyo Standard Time")
        self.add_every_minute_alarm(second)
        self.note("stored: %r" % self.session.reg_query(harness.TAVIX_KEY + r"\Alarms\1"))

        # Every minute from the moment the dialog opened: a point within a minute.
        rung = self.wait_rings(1, timeout=90)
        if not rung:
            self.fail_seen("the alarm added in the second clock did not ring within 90 s")
        # Both clocks would have rung within the same second.
        time.sleep(8)
        self.assertEqual(self.rings(), ["first"], "one ring, in the first clock")

        self.end_clock(first_process, first)
        rung = self.wait_rings(2, timeout=90)
        self.assertEqual(rung[:2], ["first", "second"], "the second clock rings once the first has ended")
        self.end_clock(second_process, second)


if __name__ == "__main__":
    import unittest
    unittest.main()
