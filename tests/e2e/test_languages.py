"""The clock speaks its user's language: a first start on a German system picks
german.lng and keeps it, a choice once stored is never changed, and the options
sheet of a Russian system shows the Russian texts of the UTF-8 file in the
system's Cyrillic code page.

Wine takes the user-interface language and the code page of a program from its
LC_ALL (or LANG); the glibc locale need not be installed. With
TAVIX_E2E_PICTURES set to a folder, the window page is photographed in German
and in Russian (the README's pictures)."""

import os
import time

import harness
from harness import TavixTestCase

OPTIONS_COMMAND = 32776
IDOK, IDCANCEL, IDHELP = 1, 2, 9

# The window page's controls and the texts they show.
WINDOW_PAGE_TEXTS = {
    1051: 14, 1079: 90, 1082: 5, 1057: 23, 1019: 24, 1018: 25, 1017: 26, 1015: 27, 1016: 28, 1071: 88, 1069: 86,
    1052: 15, 1053: 16, 1054: 17, 1055: 18, 1068: 85, 1060: 33, 1009: 34, 1010: 35, 1022: 36, 1072: 89, 1056: 19,
    1006: 20, 1007: 21, 1008: 22,
}
SHEET_BUTTON_TEXTS = {IDOK: 38, IDCANCEL: 39, IDHELP: 106}


def locale_env(name):
    return {"LANG": name, "LC_ALL": name}


class LanguagesTest(TavixTestCase):
    def setUp(self):
        super().setUp()
        self.base_env = self.session.env
        self.addCleanup(setattr, self.session, "env", self.base_env)

    def use_locale(self, name=None):
        """Runs everything Wine starts from here on (the clock and the probe)
        under the locale (None: the session's own), so that the probe reads
        texts in the clock's code page."""
        self.session.env = dict(self.base_env, **locale_env(name)) if name else self.base_env

    def open_options(self, clock, caption):
        """Opens the options sheet from the clock and waits for it under its caption."""
        pid = clock["pid"]
        self.session.post(clock["hwnd"], "WM_COMMAND", OPTIONS_COMMAND, 0)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            for w in self.session.windows(pid=pid):
                if w["title"] == caption and w["visible"] and w["class"] == "#32770":
                    self.note("options sheet: " + harness._window_line(w))
                    time.sleep(0.5)
                    return w
            time.sleep(0.3)
        self.fail_seen("the Options command opened no sheet titled %r" % caption)

    def photograph(self, window, name):
        folder = os.environ.get("TAVIX_E2E_PICTURES")
        if folder:
            left, top, right, bottom = window["rect"]
            self.session.screenshot().crop(left, top, right, bottom).save_png(os.path.join(folder, name))

    def close_sheet(self, sheet):
        self.session.click(sheet["hwnd"], IDCANCEL)
        if not self.session.wait_gone(sheet["hwnd"], timeout=10):
            self.fail_seen("the sheet stayed open after Cancel")

    def test_a_first_start_on_a_german_system_speaks_german_and_keeps_it(self):
        german = harness.read_lng(self.session.path("Lang", "german.lng"))
        english = harness.read_lng(self.session.path("Lang", "english.lng"))
        self.use_locale("de_DE.UTF-8")

        process, clock = self.start_clock()
        sheet = self.open_options(clock, german[37].encode("cp1252").decode("latin-1"))
        self.photograph(sheet, "options-window-page-german.png")
        self.close_sheet(sheet)
        self.end_clock(process, clock)
        self.assertEqual(self.session.reg_query().get("LangFile"), "german.lng", self.observed())

        # The next start, on any system, keeps the language it started with.
        self.use_locale(None)
        process, clock = self.start_clock()
        self.close_sheet(self.open_options(clock, german[37]))
        self.end_clock(process, clock)

        # A stored choice is never changed, even on a German system.
        self.use_locale("de_DE.UTF-8")
        process, clock = self.start_clock(settings={"LangFile": "english.lng"})
        self.close_sheet(self.open_options(clock, english[37]))
        self.end_clock(process, clock)
        self.assertEqual(self.session.reg_query().get("LangFile"), "english.lng", self.observed())

    def test_the_options_sheet_of_a_russian_system_shows_the_russian_texts(self):
        russian = harness.read_lng(self.session.path("Lang", "russian.lng"))

        def shown(n):
            # The probe reads the texts in the same Cyrillic code page; its
            # output carries each byte as one character.
            return russian[n].encode("cp1251").decode("latin-1")

        self.use_locale("ru_RU.UTF-8")
        process, clock = self.start_clock()
        sheet = self.open_options(clock, shown(37))
        children = []
        for box in self.session.msgboxes(pid=clock["pid"]):
            if box["hwnd"] == sheet["hwnd"]:
                children = box["children"]
        texts = {c["id"]: c["text"] for c in children if c["visible"]}
        self.note("texts on the sheet: %r" % texts)
        for control, n in list(WINDOW_PAGE_TEXTS.items()) + list(SHEET_BUTTON_TEXTS.items()):
            self.assertEqual(texts.get(control), shown(n), "control %d should show text %d" % (control, n))
        self.photograph(sheet, "options-window-page-russian.png")
        self.close_sheet(sheet)
        self.end_clock(process, clock)
        self.assertEqual(self.session.reg_query().get("LangFile"), "russian.lng", self.observed())
