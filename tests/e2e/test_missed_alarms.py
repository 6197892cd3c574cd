"""Alarms the clock could not ring: those that fell due since the last tick a
clock saw are told in one notice at the start, and run nothing; the notice
window of an alarm that rings offers Snooze, which closes it.

With TAVIX_E2E_PICTURES set to a folder, the missed-alarm notice and the
notice window with its Snooze button are saved there for the README."""

import os
import time

import harness
from harness import TavixTestCase

ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
ALARM_ENABLED = 1
ALARM_NOTICE = 2
REPEAT_DAILY = 1


class MissedAlarmsTest(TavixTestCase):
    def store_alarm(self, number, name, seconds_from_now, flags, **values):
        record = {"Name": name, "Time": int(time.time() + seconds_from_now), "Flags": flags}
        record.update(values)
        self.session.reg_set_many(record, key="%s\\%d" % (ALARMS_KEY, number))

    def wait_box(self, title, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for box in self.session.msgboxes():
                if box["title"] == title:
                    return box
            time.sleep(0.5)
        return None

    def save_picture(self, hwnd, name):
        folder = os.environ.get("TAVIX_E2E_PICTURES")
        if not folder:
            return
        rect = next((w["rect"] for w in self.session.windows() if w["hwnd"] == hwnd), None)
        self.assertIsNotNone(rect, "the window to picture is gone")
        time.sleep(1)  # let it paint
        left, top, right, bottom = rect
        self.session.screenshot().crop(left, top, right, bottom).save_png(os.path.join(folder, name))

    def test_missed_alarms_are_told_once_and_a_ringing_alarm_snoozes(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        # The last clock was seen three hours ago.
        self.session.reg_set("LastTick", int(time.time()) - 3 * 3600)
        self.store_alarm(1, "Dentist", -2 * 3600, ALARM_ENABLED | ALARM_NOTICE,
                         Execute="cmd /c echo ran> C:\\missed.txt")
        self.store_alarm(2, "Stand-up meeting", -3600 - 600, ALARM_ENABLED | ALARM_NOTICE, Reoccurence=REPEAT_DAILY)
        self.store_alarm(3, "Before the last clock ended", -4 * 3600, ALARM_ENABLED)
        self.store_alarm(4, "Tea", 20, ALARM_ENABLED | ALARM_NOTICE,
                         Description="The pot is on the stove.\r\nTake it off before it boils dry.")
        process, window = self.start_clock(messages_expected=True)

        box = self.wait_box("Tavix", timeout=30)
        if box is None:
            self.fail_seen("no notice of the missed alarms")
        self.note("missed notice: %r" % box)
        shown = " ".join(box["texts"])
        self.assertIn(texts[108], shown)
        self.assertIn("Dentist", shown)
        self.assertIn("Stand-up meeting", shown)
        self.assertNotIn("Before the last clock ended", shown)
        self.save_picture(box["hwnd"], "missed-alarms.png")
        self.session.click(box["hwnd"], "OK")
        if not self.session.wait_gone(box["hwnd"], timeout=20):
            self.fail_seen("the missed-alarm notice stays after OK")

        caption = "%s - Tea" % texts[65]
        notice = self.wait_box(caption, timeout=60)
        if notice is None:
            self.fail_seen("no notice window titled %r" % caption)
        self.assertIn(texts[107], [b["text"] for b in notice["buttons"]])
        self.save_picture(notice["hwnd"], "alarm-notice-snooze.png")
        self.session.click(notice["hwnd"], texts[107])
        if not self.session.wait_gone(notice["hwnd"], timeout=20):
            self.fail_seen("the notice window stays after Snooze")

        self.assertEqual([b for b in self.session.msgboxes() if b["title"] == "Tavix"], [],
                         "the missed alarms were told twice")
        self.assertFalse(os.path.isfile(os.path.join(self.session.drive_c, "missed.txt")),
                         "a missed alarm ran its program")
        stored = {}
        for number in (1, 2, 3, 4):
            values = self.session.reg_query("%s\\%d" % (ALARMS_KEY, number)) or {}
            stored[values.get("Name")] = values
        self.note("stored alarms: %r" % stored)
        self.assertEqual(stored["Dentist"]["Flags"], ALARM_NOTICE, "the missed one-shot alarm is not stored disabled")
        self.assertEqual(stored["Before the last clock ended"]["Flags"], ALARM_ENABLED)
        self.end_clock(process, window)
        self.assertGreater(self.session.reg_query().get("LastTick", 0), int(time.time()) - 120,
                           "the exit stored no last tick")


if __name__ == "__main__":
    import unittest
    unittest.main()
