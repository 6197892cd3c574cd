"""Alarms as a user meets them: an alarm stored in the registry rings while
the clock runs (its program writes a file, its notice window opens) and is
stored disabled afterwards; the first tick catches up with the two minutes
before the start, not further."""

import os
import time

import harness
from harness import TavixTestCase

ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
ALARM_ENABLED = 1
ALARM_NOTICE = 2


class AlarmTest(TavixTestCase):
    def store_alarm(self, number, name, seconds_from_now, flags, output):
        """A one-shot alarm in the legacy form, seconds since 1970 in UTC, so
        that the test needs no knowledge of the prefix's local time. Its
        program writes C:\\<output>."""
        self.session.reg_set_many({
            "Name": name,
            "Time": int(time.time() + seconds_from_now),
            "Flags": flags,
            "Execute": "cmd /c echo rang> C:\\%s" % output,
        }, key="%s\\%d" % (ALARMS_KEY, number))

    def wait_file(self, name, timeout):
        path = os.path.join(self.session.drive_c, name)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            # cmd creates the file before it writes the line: wait for the line.
            if os.path.isfile(path) and os.path.getsize(path) > 0:
                return path
            time.sleep(0.5)
        return None

    def wait_titled(self, title, timeout):
        """A visible top-level window with that title. The notice window is a
        dialog with a button, which the probe's wait-window takes for a message
        box, so the windows are listed instead."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for w in self.session.windows():
                if w["title"] == title and w["visible"]:
                    return w
            time.sleep(0.5)
        return None

    def test_a_due_alarm_runs_its_program_opens_its_notice_and_is_disabled(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        self.store_alarm(1, "Tea time", 6, ALARM_ENABLED | ALARM_NOTICE, "alarm.txt")
        # Two minutes of catch-up at the start: this one rings at the first tick ...
        self.store_alarm(2, "Just missed", -60, ALARM_ENABLED, "caught_up.txt")
        # ... this one lies before them and never rings.
        self.store_alarm(3, "Long gone", -300, ALARM_ENABLED, "too_old.txt")
        process, window = self.start_clock(messages_expected=True)

        path = self.wait_file("alarm.txt", timeout=60)
        if path is None:
            self.fail_seen("the alarm's program wrote no C:\\alarm.txt within 60 s")
        with open(path, "rb") as f:
            self.assertEqual(f.read().strip(), b"rang")

        caption = "%s - Tea time" % texts[65]
        notice = self.wait_titled(caption, timeout=20)
        if notice is None:
            self.fail_seen("no notice window titled %r" % caption)
        self.note("notice window: " + harness._window_line(notice))
        self.assertTrue(notice["visible"], "the notice window is hidden")
        self.assertTrue(notice["topmost"], "the notice window is not top-most")
        self.assertEqual(notice["pid"], window["pid"])

        self.assertIsNotNone(self.wait_file("caught_up.txt", timeout=10),
                             "an alarm due a minute before the start did not ring")
        time.sleep(2)
        self.assertFalse(os.path.isfile(os.path.join(self.session.drive_c, "too_old.txt")),
                         "an alarm due five minutes before the start rang")

        stored = {}
        for number in (1, 2, 3):
            stored[number] = self.session.reg_query("%s\\%d" % (ALARMS_KEY, number)) or {}
        self.note("stored alarms: %r" % stored)
        by_name = {values.get("Name"): values for values in stored.values()}
        self.assertEqual(by_name["Tea time"]["Flags"], ALARM_NOTICE, "the one-shot alarm is not stored disabled")
        self.assertEqual(by_name["Just missed"]["Flags"], 0)
        self.assertEqual(by_name["Long gone"]["Flags"], ALARM_ENABLED, "a missed alarm lost its enabled flag")
        self.assertIn("HTime", by_name["Tea time"], "the save did not store the exact due time")

        self.session.key(notice["hwnd"], "escape")
        if not self.session.wait_gone(notice["hwnd"], timeout=20):
            self.fail_seen("the notice window stays after Escape")
        self.end_clock(process, window)

    def test_the_notice_window_closes_with_its_button(self):
        texts = harness.read_lng(self.session.path("Lang", "english.lng"))
        self.store_alarm(1, "Stretch", 4, ALARM_ENABLED | ALARM_NOTICE, "stretch.txt")
        process, window = self.start_clock(messages_expected=True)
        notice = self.wait_titled("%s - Stretch" % texts[65], timeout=40)
        if notice is None:
            self.fail_seen("no notice window")
        self.session.click(notice["hwnd"], texts[40])
        if not self.session.wait_gone(notice["hwnd"], timeout=20):
            self.fail_seen("the notice window stays after its button was pressed")
        self.end_clock(process, window)

    def test_a_time_change_reloads_the_alarms(self):
        # The clock reads its alarms at the start and when the system's time
        # changes; an alarm stored while it runs is found only then.
        process, window = self.start_clock()
        # Four `wine reg add` calls take some seconds under load: the alarm must
        # still lie ahead when the time change arrives.
        self.store_alarm(1, "Added later", 20, ALARM_ENABLED, "added.txt")
        self.session.post(window["hwnd"], 0x001E)  # WM_TIMECHANGE
        if self.wait_file("added.txt", timeout=40) is None:
            self.fail_seen("an alarm stored before a time change did not ring")
        self.end_clock(process, window)


if __name__ == "__main__":
    import unittest
    unittest.main()
