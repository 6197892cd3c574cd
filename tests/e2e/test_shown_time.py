"""The time the clock shows when a time zone is stored: a zone whose rules
were never read must not change it. Wine runs under a zone far from UTC (and
half an hour off it), so that UTC shown by mistake cannot pass for local time."""

import datetime
import re
import time
import zoneinfo

import harness
from harness import TavixTestCase

HOST_ZONE = "Asia/Kolkata"


def tip_minutes(tip):
    """Minutes since midnight of the time in a tray tooltip ("<date>\\n1:10 PM, <day>")."""
    match = re.search(r"\n(\d{1,2}):(\d{2})\s*([AP]M)?", tip)
    if not match:
        return None
    hour, minute, half = int(match.group(1)), int(match.group(2)), match.group(3)
    if half:
        hour = hour % 12 + (12 if half == "PM" else 0)
    return hour * 60 + minute


class ShownTimeTest(TavixTestCase):
    def setUp(self):
        super().setUp()
        self.session.kill_all()
        self.saved_tz = self.session.env.get("TZ")
        self.session.env["TZ"] = HOST_ZONE
        self.addCleanup(self.restore_tz)

    def restore_tz(self):
        self.session.kill_all()
        if self.saved_tz is None:
            self.session.env.pop("TZ", None)
        else:
            self.session.env["TZ"] = self.saved_tz

    def test_a_stored_zone_without_rules_keeps_local_time(self):
        process, window = self.start_clock(settings={"TimeInSysTray": 1, "DefaultTimeZone": "No Such Zone"})
        deadline = time.monotonic() + 15
        tips = []
        while time.monotonic() < deadline:
            tips = self.session.tray_tips()
            if tips and tip_minutes(tips[0]) is not None:
                break
            time.sleep(0.5)
        self.note("tray tooltips: %r" % tips)
        if not tips or tip_minutes(tips[0]) is None:
            self.fail_seen("no tooltip with a time")
        local = datetime.datetime.now(zoneinfo.ZoneInfo(HOST_ZONE))
        expected = local.hour * 60 + local.minute
        shown = tip_minutes(tips[0])
        # A minute may turn between the tooltip and our reading.
        difference = min((shown - expected) % 1440, (expected - shown) % 1440)
        self.assertLessEqual(difference, 1, "shown %d:%02d, local time is %d:%02d" %
                             (shown // 60, shown % 60, local.hour, local.minute))
        self.end_clock(process, window)
