"""The time the clock shows when a time zone is stored: the zone's time in
the tray tooltip and for the alarms, local time for a zone that does not
exist. Wine runs under a zone far from UTC (and half an hour off it), so that
UTC or local time shown by mistake cannot pass for a zone's time.

With TAVIX_E2E_PICTURES set to a folder, the picture of three clocks for three
cities is saved there (docs/three-cities.png comes from it)."""

import datetime
import os
import re
import time
import zoneinfo

import harness
from harness import TavixTestCase

HOST_ZONE = "Asia/Kolkata"
ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
# Zone key of the Windows database, the same zone in Python's database, the city.
CITIES = [
    ("Tokyo Standard Time", "Asia/Tokyo", "Tokyo"),
    ("W. Europe Standard Time", "Europe/Berlin", "Berlin"),
    ("Pacific Standard Time", "America/Los_Angeles", "Los Angeles"),
]


def clock_time(moment):
    """A wall-clock time as the clock stores it: 100-ns units since 1601, no conversion to UTC."""
    delta = moment.replace(tzinfo=None) - datetime.datetime(1601, 1, 1)
    return (delta.days * 86400 + delta.seconds) * 10000000 + delta.microseconds * 10


def minutes_apart(a, b):
    return min((a - b) % 1440, (b - a) % 1440)


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

    def wait_tips(self, count, timeout=20):
        deadline = time.monotonic() + timeout
        tips = []
        while time.monotonic() < deadline:
            tips = [t for t in self.session.tray_tips() if tip_minutes(t) is not None]
            if len(tips) >= count:
                break
            time.sleep(0.5)
        self.note("tray tooltips: %r" % tips)
        return tips

    def test_three_clocks_show_three_zones_and_a_fourth_is_refused(self):
        self.session.reg_set_many({"TimeInSysTray": 1, "MultipleTimeZones": 1})
        running = []
        for n, (key, _, _) in enumerate(CITIES):
            # Every instance reads the zone stored when it starts.
            self.session.reg_set_many({"DefaultTimeZone": key, "Left": 40 + 420 * n, "Top": 300})
            running.append(self.session.start_tavix())
            deadline = time.monotonic() + 60
            while len(self.session.clock_windows()) <= n and time.monotonic() < deadline:
                time.sleep(0.5)
        clocks = self.session.clock_windows()
        if len(clocks) != len(CITIES):
            self.fail_seen("expected %d clock windows" % len(CITIES))

        tips = self.wait_tips(len(CITIES))
        if len(tips) != len(CITIES):
            self.fail_seen("expected a tooltip with a time for every clock")
        shown = sorted(tip_minutes(t) for t in tips)
        for key, zone, _ in CITIES:
            now = datetime.datetime.now(zoneinfo.ZoneInfo(zone))
            expected = now.hour * 60 + now.minute
            # A minute may turn between the tooltip and our reading.
            self.assertTrue(any(minutes_apart(m, expected) <= 1 for m in shown),
                            "no tooltip shows %s's time %d:%02d: %r" % (key, now.hour, now.minute, tips))

        picture = self.session.screenshot()
        for clock in clocks:
            left, top, right, bottom = clock["rect"]
            self.assertGreater(picture.crop(left, top, right, bottom).non_black_fraction(), 0.2,
                               "a clock drew nothing at %r" % clock["rect"])
        folder = os.environ.get("TAVIX_E2E_PICTURES")
        if folder:
            left = min(c["rect"][0] for c in clocks) - 20
            top = min(c["rect"][1] for c in clocks) - 20
            right = max(c["rect"][2] for c in clocks) + 20
            bottom = max(c["rect"][3] for c in clocks) + 20
            picture.crop(left, top, right, bottom).save_png(os.path.join(folder, "three-cities.png"))

        fourth = self.session.start_tavix()
        if fourth.wait(30) is None:
            self.fail_seen("a fourth clock still runs 30 s after its start")
        self.assertEqual(sorted(c["hwnd"] for c in self.session.clock_windows()),
                         sorted(c["hwnd"] for c in clocks), "the running clocks were touched")
        self.assertTrue(all(p.running() for p in running), "a running clock ended")
        self.assertEqual(self.session.msgboxes(), [], "a message came up")

    def test_an_alarm_rings_at_the_zones_time(self):
        zone, lead = "Asia/Tokyo", 25
        due = datetime.datetime.now(zoneinfo.ZoneInfo(zone)) + datetime.timedelta(seconds=lead)
        started = time.monotonic()
        # At the same moment the computer's own clock reads three and a half
        # hours less: an alarm at that wall-clock time lies far in the zone's
        # past and never rings.
        local_due = datetime.datetime.now(zoneinfo.ZoneInfo(HOST_ZONE)) + datetime.timedelta(seconds=lead)
        for number, moment, output in ((1, due, "zone.txt"), (2, local_due, "local.txt")):
            ticks = clock_time(moment)
            self.session.reg_set_many({
                "Name": output,
                "HTime": ticks >> 32,
                "LTime": ticks & 0xFFFFFFFF,
                "Flags": 1,
                "Execute": "cmd /c echo rang> C:\\%s" % output,
            }, key="%s\\%d" % (ALARMS_KEY, number))
        process, window = self.start_clock(settings={"DefaultTimeZone": CITIES[0][0]})

        path = os.path.join(self.session.drive_c, "zone.txt")
        deadline = started + lead + 60
        while not os.path.isfile(path) and time.monotonic() < deadline:
            time.sleep(0.5)
        rang = time.monotonic() - started
        if not os.path.isfile(path):
            self.fail_seen("the alarm at Tokyo's time did not ring")
        self.assertGreaterEqual(rang, lead - 2, "the alarm rang %.1f s before its time" % (lead - rang))
        time.sleep(2)
        self.assertFalse(os.path.isfile(os.path.join(self.session.drive_c, "local.txt")),
                         "an alarm at the computer's local time rang on a clock showing Tokyo")
        self.end_clock(process, window)

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
        self.assertEqual(self.session.reg_query().get("DefaultTimeZone"), "", "the vanished zone was saved again")
