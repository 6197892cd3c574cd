"""A kill in the middle of an alarm save: Tavix starts with 100 stored alarms
of which 50 one-shot alarms fall due at its first tick, so that tick disables
them and saves the list; the process is killed by its id part way through that
save and started again. The list it then finds must be exactly the stored one
or exactly the saved one: no alarm lost, none stored twice, none mixed from two."""

import json
import os
import re
import subprocess
import tempfile
import time

import harness
from harness import TavixTestCase

ALARMS_KEY = harness.TAVIX_KEY + r"\Alarms"
PENDING_KEY = harness.TAVIX_KEY + r"\PendingAlarms"
PENDING_SUBKEY = r"Software\Quandel\Tavix\PendingAlarms"
ALARM_ENABLED = 1
ALARM_NOTICE = 2
DUE = 50
# The due alarms fell due this long before the list is stored: the first start
# (within 20 s) still rings them, a start after that no longer does.
DUE_AGO = 100
RESTART_AFTER = 120 - DUE_AGO + 5
EPOCH_UNITS = 11644473600 * 10000000


def old_list(now):
    """The stored list in due order, as {key number: values}. Times are the
    legacy seconds since 1970 in UTC, so that nothing here depends on the
    prefix's time zone; every save adds the exact local time."""
    alarms = []
    for i in range(DUE):
        alarms.append({"Name": "due %02d" % i, "Time": now - DUE_AGO, "Flags": ALARM_ENABLED})
    for i in range(25):
        alarms.append({"Name": "daily %02d" % i, "Time": now + 3600 + 60 * i, "Flags": ALARM_ENABLED | ALARM_NOTICE,
                       "Reoccurence": 1, "Execute": "cmd /c echo daily %d" % i,
                       "Description": "Daily alarm number %d" % i})
    for i in range(25):
        alarms.append({"Name": "later %02d" % i, "Time": now + 86400 + 60 * i, "Flags": ALARM_ENABLED | ALARM_NOTICE,
                       "Sound": "C:\\Sounds\\bell %d.wav" % i, "SndSecs": i + 1})
        if i % 2:
            alarms[-1]["SndLooping"] = 1
    return {n + 1: values for n, values in enumerate(alarms)}


def reg_file(alarms):
    lines = ["REGEDIT4", ""]
    for number, values in sorted(alarms.items()):
        lines.append("[%s\\%d]" % (harness._long_key(ALARMS_KEY), number))
        for name, value in values.items():
            if isinstance(value, int):
                lines.append('"%s"=dword:%08x' % (name, value))
            else:
                lines.append('"%s"="%s"' % (name, value.replace("\\", "\\\\").replace('"', '\\"')))
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


class AlarmSaveKillTest(TavixTestCase):
    def store(self, alarms):
        self.session.reg_delete(ALARMS_KEY)
        self.session.reg_delete(PENDING_KEY)
        path = os.path.join(self.session.drive_c, "alarms.reg")
        with open(path, "w", encoding="latin-1", newline="") as f:
            f.write(reg_file(alarms))
        harness._run(["wine", "reg", "import", "C:\\alarms.reg"], env=self.session.env, timeout=60)

    def stored(self):
        """Every key below Alarms as {number: values}, read in one query."""
        code, out, _ = harness._run(["wine", "reg", "query", ALARMS_KEY, "/s"], env=self.session.env, timeout=60,
                                    check=False)
        keys, current = {}, None
        prefix = harness._long_key(ALARMS_KEY).lower() + "\\"
        for line in out.splitlines() if code == 0 else []:
            if not line.strip():
                continue
            if not line.startswith(" "):
                name = line.strip()
                current = keys.setdefault(int(name[len(prefix):]), {}) if name.lower().startswith(prefix) else None
                continue
            fields = line.strip().split("    ")
            if current is None or len(fields) < 2:
                continue
            data = fields[2] if len(fields) > 2 else ""
            current[fields[0]] = int(data, 16) if fields[1] == "REG_DWORD" else data
        return keys

    def watch_save(self, kill_after_us=None):
        """probe watch-key, started before the clock so that it sees the first save."""
        out = tempfile.TemporaryFile()
        args = ["wine", "C:\\probe.exe", "watch-key", PENDING_SUBKEY, "60000"]
        if kill_after_us is not None:
            args += ["--kill-after-us", str(kill_after_us)]
        probe = subprocess.Popen(args, env=self.session.env, stdin=subprocess.DEVNULL, stdout=out,
                                 stderr=subprocess.STDOUT)
        self.addCleanup(out.close)
        return probe, out

    def probe_result(self, probe, out):
        try:
            probe.wait(90)
        except subprocess.TimeoutExpired:
            probe.kill()
            self.fail_seen("probe watch-key did not end")
        out.seek(0)
        text = out.read().decode("latin-1")
        records = [json.loads(line) for line in text.splitlines() if line.startswith("{")]
        if probe.returncode != 0 or not records:
            self.fail_seen("probe watch-key failed (%s): %s" % (probe.returncode, text.strip()))
        return records[0]

    def classify(self, old, stored):
        """"old", "new" or a description of what is wrong."""
        numbers = sorted(n for n, values in stored.items() if "Flags" in values)
        listed = [n for i, n in enumerate(numbers, 1) if n == i]
        if len(listed) != len(old):
            return "%d alarms in the list instead of %d" % (len(listed), len(old))
        if all(stored[n] == old[n] for n in old):
            return "old"
        offsets = set()
        identities = set()
        for n, values in old.items():
            expected = dict(values)
            if n <= DUE:
                expected["Flags"] = values["Flags"] & ~ALARM_ENABLED
            got = dict(stored[n])
            low, high = got.pop("LTime", None), got.pop("HTime", None)
            # A save stores every alarm's identity, 16 hex digits, one per alarm.
            identity = got.pop("Id", "")
            if got != expected or low is None or high is None or not re.fullmatch("[0-9a-f]{16}", identity):
                return "key %d holds %r, neither %r nor its saved form" % (n, stored[n], values)
            identities.add(identity)
            offsets.add((high << 32 | low) - (values["Time"] * 10000000 + EPOCH_UNITS))
        if len(identities) != len(old):
            return "%d identities for %d alarms" % (len(identities), len(old))
        if len(offsets) != 1:
            return "the exact due times disagree with the stored seconds: offsets %r" % sorted(offsets)
        return "new"

    @harness.long_running
    def test_a_kill_while_saving_leaves_the_old_or_the_new_list(self):
        now = int(time.time())
        old = old_list(now)
        self.store(old)
        probe, out = self.watch_save()
        process, window = self.start_clock(messages_expected=True)
        present_us = self.probe_result(probe, out)["present_us"]
        self.note("a save of 100 alarms kept its staging %.1f ms" % (present_us / 1000.0))
        self.assertEqual(self.classify(old, self.stored()), "new", "the uninterrupted save")
        self.end_clock(process, window)

        outcomes = []
        # Early in the save the new list is still being staged; later it is
        # being committed to the alarm keys.
        for share in (0.02, 0.6):
            with self.subTest(kill_at=share):
                now = int(time.time())
                old = old_list(now)
                self.store(old)
                probe, out = self.watch_save(int(present_us * share))
                process = self.session.start_tavix()
                killed = self.probe_result(probe, out)
                self.assertTrue(killed["killed"])
                if process.wait(30) is None:
                    self.fail_seen("Tavix.exe still runs after it was killed")
                staged = self.session.reg_query(PENDING_KEY)
                self.note("killed pid %d %.1f ms into the save; staged list %s" % (
                    killed["pid"], killed["after_us"] / 1000.0,
                    "none" if staged is None else "complete" if "Count" in staged else "incomplete"))

                time.sleep(max(0.0, now + RESTART_AFTER - time.time()))
                process, window = self.start_clock(messages_expected=True)
                time.sleep(1)
                outcome = self.classify(old, self.stored())
                outcomes.append(outcome)
                self.note("after the restart: %s" % outcome)
                self.assertIn(outcome, ("old", "new"))
                self.assertIsNone(self.session.reg_query(PENDING_KEY), "the restart left the staged list")
                self.end_clock(process, window)
        self.note("outcomes %r" % outcomes)


if __name__ == "__main__":
    import unittest
    unittest.main()
