#!/usr/bin/env python3
"""Runs every tests/e2e/test_*.py module against a built program folder.

    python3 tests/e2e/run_e2e.py --dist build/dist --probe build/win/probe.exe [-k pattern] [--timeout 150]

Each test gets a time limit; one that overstays it fails with a timeout error
and the run goes on. A failing test prints what it saw (windows, message
boxes, registry). The last line reads "e2e: N passed, N failed, N skipped";
the exit code is non-zero when anything failed.
"""

import argparse
import os
import signal
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


class TestTimeout(Exception):
    pass


class ObservingResult(unittest.TextTestResult):
    """Adds what a failing test observed and enforces the per-test time limit.

    unittest reports a failure as soon as it happens, before the test's clean-up
    ends the programs, so observed() still sees the screen as it was."""

    time_limit = 150

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.passed = 0
        self._test_failed = False

    def startTest(self, test):
        self._test_failed = False
        self._started = time.monotonic()
        signal.signal(signal.SIGALRM, self._timeout)
        signal.alarm(self.time_limit)
        super().startTest(test)

    def stopTest(self, test):
        signal.alarm(0)
        super().stopTest(test)
        self.stream.writeln("    (%.1f s)" % (time.monotonic() - self._started))

    def _timeout(self, signum, frame):
        raise TestTimeout("the test ran longer than %d s" % self.time_limit)

    def _observe(self, test):
        observed = getattr(test, "observed", None)
        if observed is None:
            return
        left = signal.alarm(60)  # looking must not hang either
        try:
            text = observed()
        except Exception as e:  # the report of a failure must not fail itself
            text = "(cannot observe: %s)" % e
        finally:
            signal.alarm(max(1, left) if left else 0)
        self.stream.writeln("\n---- observed by %s ----\n%s\n----" % (test.id(), text))

    def addFailure(self, test, err):
        self._test_failed = True
        super().addFailure(test, err)
        self._observe(test)

    def addError(self, test, err):
        self._test_failed = True
        super().addError(test, err)
        self._observe(test)

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self._test_failed = True
            self._observe(test)

    def addSuccess(self, test):
        super().addSuccess(test)
        if not self._test_failed:
            self.passed += 1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", required=True, help="program folder made by `make dist`")
    parser.add_argument("--probe", required=True, help="probe.exe of the Windows build")
    parser.add_argument("-k", dest="patterns", action="append", default=[],
                        help="run only tests whose name contains this text (repeatable)")
    parser.add_argument("--timeout", type=int, default=150, help="time limit of one test in seconds")
    args = parser.parse_args()

    os.environ["TAVIX_E2E_DIST"] = os.path.abspath(args.dist)
    os.environ["TAVIX_E2E_PROBE"] = os.path.abspath(args.probe)
    for path in (os.path.join(args.dist, "Tavix.exe"), args.probe):
        if not os.path.isfile(path):
            print("e2e: %s is missing" % path, file=sys.stderr)
            return 2

    sys.path.insert(0, HERE)
    import harness  # noqa: E402  (needs the paths above)

    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = ["*%s*" % p for p in args.patterns]
    suite = loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE)

    ObservingResult.time_limit = args.timeout
    runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=2, resultclass=ObservingResult)
    started = time.monotonic()
    try:
        result = runner.run(suite)
    finally:
        harness.close_shared_session()

    failed = sorted({t.id() for t, _ in result.failures + result.errors} |
                    {t.id() for t in result.unexpectedSuccesses})
    print("e2e: %d tests in %.0f s" % (result.testsRun, time.monotonic() - started))
    for name in failed:
        print("  failed: " + name)
    print("e2e: %d passed, %d failed, %d skipped" % (result.passed, len(failed), len(result.skipped)))
    if result.testsRun == 0:
        print("e2e: no test ran", file=sys.stderr)
        return 1
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
