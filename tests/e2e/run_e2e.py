#!/usr/bin/env python3
"""Runs every tests/e2e/test_*.py module against a built program folder.

    python3 tests/e2e/run_e2e.py --dist build/dist --probe build/win/probe.exe [-k pattern] [--timeout 150]
                                 [--workers 5]

Each test gets a time limit (twice that for a test marked long-running); one
that overstays it fails with a timeout error and the run goes on. A failing
test prints what it saw (windows, message boxes, registry). The last line reads
"e2e: N passed, N failed, N skipped"; the exit code is non-zero when anything
failed.

Most of a test's time is spent waiting for Wine and the clock, so the tests
are handed out to worker processes, each with its own Xvfb display and Wine
prefix; a test's report is printed whole once it has ended. The tests that
take minutes are handed out first.
"""

import argparse
import io
import multiprocessing
import os
import queue
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
        self._limit = self.time_limit * (2 if is_long_running(test) else 1)
        signal.signal(signal.SIGALRM, self._timeout)
        signal.alarm(self._limit)
        super().startTest(test)

    def stopTest(self, test):
        signal.alarm(0)
        super().stopTest(test)
        self.stream.writeln("    (%.1f s)" % (time.monotonic() - self._started))

    def _timeout(self, signum, frame):
        raise TestTimeout("the test ran longer than %d s" % self._limit)

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


def test_ids(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from test_ids(item)
        else:
            yield item


def is_long_running(test):
    return getattr(getattr(test, getattr(test, "_testMethodName", ""), None), "long_running", False)


def long_first(tests):
    """The tests marked long-running first, the others in their order."""
    return sorted(tests, key=lambda t: not is_long_running(t))


def run_tests(tests, stream):
    """Runs the tests in this process; returns (result, ids of the tests that failed)."""
    result = ObservingResult(unittest.runner._WritelnDecorator(stream), True, 2)
    suite = unittest.TestSuite(tests)
    result.startTestRun()
    try:
        suite(result)
    finally:
        result.stopTestRun()
    if result.failures or result.errors or result.unexpectedSuccesses:
        result.printErrors()
    failed = {t.id() for t, _ in result.failures + result.errors} | {t.id() for t in result.unexpectedSuccesses}
    return result, failed


def worker(tasks, results):
    """Runs the tests named in tasks one by one with this process's own session."""
    import harness

    loader = unittest.TestLoader()
    try:
        while True:
            name = tasks.get()
            if name is None:
                break
            results.put(("start", name, os.getpid()))
            stream = io.StringIO()
            try:
                result, failed = run_tests(loader.loadTestsFromName(name), stream)
                counts = (result.testsRun, result.passed, sorted(failed), len(result.skipped))
            except BaseException as e:  # a broken run of one test must not hang the others
                stream.write("\n%s: the worker could not run it: %r\n" % (name, e))
                counts = (1, 0, [name], 0)
            results.put(("done", name, stream.getvalue(), counts))
    finally:
        harness.close_shared_session()


def run_parallel(names, workers, started):
    """Hands the tests to worker processes; returns (tests run, passed, failed ids, skipped)."""
    context = multiprocessing.get_context("fork")
    tasks, results = context.Queue(), context.Queue()
    for name in names:
        tasks.put(name)
    processes = [context.Process(target=worker, args=(tasks, results)) for _ in range(workers)]
    for _ in processes:
        tasks.put(None)
    for p in processes:
        p.start()
    run = passed = skipped = 0
    failed, running = set(), {}
    left = set(names)
    try:
        while left:
            try:
                message = results.get(timeout=5)
            except queue.Empty:
                # A worker that died takes its test with it: report that test, go on with the others.
                for pid, name in list(running.items()):
                    if not any(p.pid == pid and p.is_alive() for p in processes):
                        print("%s ... ERROR: its worker ended during the test" % name, flush=True)
                        run, failed = run + 1, failed | {name}
                        left.discard(name)
                        del running[pid]
                if not any(p.is_alive() for p in processes) and left:
                    print("e2e: every worker ended; not run: %s" % ", ".join(sorted(left)), flush=True)
                    failed |= left
                    break
                continue
            if message[0] == "start":
                running[message[2]] = message[1]
                continue
            _, name, text, (n, ok, bad, skip) = message
            running = {pid: other for pid, other in running.items() if other != name}
            left.discard(name)
            sys.stdout.write(text)
            sys.stdout.write("    [%d of %d, %.0f s into the run]\n" % (len(names) - len(left), len(names),
                                                                       time.monotonic() - started))
            sys.stdout.flush()
            run, passed, skipped = run + n, passed + ok, skipped + skip
            failed |= set(bad)
    finally:
        for p in processes:
            p.join(30)
            if p.is_alive():
                p.kill()
                p.join(10)
    return run, passed, failed, skipped


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", required=True, help="program folder made by `make dist`")
    parser.add_argument("--probe", required=True, help="probe.exe of the Windows build")
    parser.add_argument("-k", dest="patterns", action="append", default=[],
                        help="run only tests whose name contains this text (repeatable)")
    parser.add_argument("--timeout", type=int, default=150, help="time limit of one test in seconds")
    parser.add_argument("--workers", type=int, default=5,
                        help="tests run side by side, each worker with its own display and Wine prefix")
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
    tests = long_first(test_ids(suite))
    workers = max(1, min(args.workers, len(tests)))
    started = time.monotonic()
    if workers == 1:
        try:
            result, failed = run_tests(tests, sys.stdout)
        finally:
            harness.close_shared_session()
        run, passed, skipped = result.testsRun, result.passed, len(result.skipped)
    else:
        # The template prefix is made before the workers start, so that they do not both wait for it.
        try:
            harness.wine_prefix_template()
        except harness.HarnessError as e:
            print("e2e: cannot make the Wine prefix: %s" % e, file=sys.stderr)
            return 1
        run, passed, failed, skipped = run_parallel([t.id() for t in tests], workers, started)

    print("e2e: %d tests in %.0f s with %d worker%s" % (run, time.monotonic() - started, workers,
                                                       "" if workers == 1 else "s"))
    for name in sorted(failed):
        print("  failed: " + name)
    print("e2e: %d passed, %d failed, %d skipped" % (passed, len(failed), skipped))
    if run == 0:
        print("e2e: no test ran", file=sys.stderr)
        return 1
    return 0 if not failed else 1


if __name__ == "__main__":
    sys.exit(main())
