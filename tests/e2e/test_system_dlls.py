"""Tavix.exe started as a stock Windows would start it: without the DLLs that
Wine brings and Windows does not."""

import time

import harness
from harness import TavixTestCase

# Builtin DLLs of Wine that Windows lacks and that our mingw build can come to
# import (zlib through libpng). Switched off, an import of one stops the
# program here as it would stop it on a user's machine.
WINE_ONLY_DLLS = ("zlib1",)


class WithoutWineOnlyDllsTest(TavixTestCase):
    def test_clock_starts_and_decodes_its_png_face_without_wines_zlib(self):
        overrides = {"WINEDLLOVERRIDES": "%s;%s=" % (harness.WINE_ENV["WINEDLLOVERRIDES"], ",".join(WINE_ONLY_DLLS))}
        # Debian's Wine 8 builds its own user32.dll against zlib1.dll, so there
        # no program starts with it switched off; make dist's import check is
        # what stands guard there.
        code, _, _ = harness._run(["wine", "C:\\probe.exe", "metrics"], env=dict(self.session.env, **overrides),
                                  timeout=60, check=False)
        if code != 0:
            self.skipTest("this Wine cannot start any program without %s (probe.exe ended with %d)" %
                          (", ".join(WINE_ONLY_DLLS), code))
        process = self.session.start_tavix(env=overrides)
        # A missing import ends the program before it shows anything: stop
        # waiting then rather than at the time limit.
        window = None
        deadline = time.monotonic() + 60
        while window is None and time.monotonic() < deadline:
            window = self.session.wait_window(timeout=2)
            if window is None and not process.running():
                self.fail_seen("Tavix.exe ended with %s before showing its clock: it needs a DLL that Windows "
                               "does not have (see the imports with objdump -p)" % process.wait(0))
        if window is None:
            self.fail_seen("no clock window within 60 s with %s switched off" % ", ".join(WINE_ONLY_DLLS))
        # The default face is a PNG: decoding it inflated with the linked zlib.
        self.assertEqual(self.session.msgboxes(), [], "a message came up")
        self.end_clock(process, window)
