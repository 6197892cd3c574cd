"""The shipped plug-in on a running clock: enabled in the registry, it draws its
seconds ring on the face, and nothing else of the face changes. The face is
Original.png without its hands, date or AM/PM mark, so that two frames taken
at different times are alike but for what the plug-in draws."""

import math
import os
import shutil
import time

import harness
from harness import TavixTestCase

FACE_SETTINGS = harness.BARE_FACE_SETTINGS


class SecondsRingTest(TavixTestCase):
    def bare_face(self):
        shutil.copy(self.session.path("Presets", "Original.png"), self.session.path("Presets", "Bare.png"))
        with open(self.session.path("Presets", "Bare.INI"), "w") as f:
            f.write(FACE_SETTINGS)

    def face(self, plugins):
        settings = {"BackgrndBitmap": "Bare.png", "ShowDate": 0, "ShowAMPM": 0, "Left": 300, "Top": 200,
                    "AAMethod": 0}
        if plugins:
            settings["ActivePlugins"] = plugins
        process, window = self.start_clock(settings=settings)
        time.sleep(3)  # the first frame comes with the first tick
        shot = self.session.screenshot()
        left, top, right, bottom = window["rect"]
        self.end_clock(process, window)
        self.session.reg_delete(name="ActivePlugins")
        return shot.crop(left, top, right, bottom)

    def test_the_ring_draws_on_the_face_and_only_there(self):
        self.bare_face()
        plain = self.face(None)
        for attempt in range(3):
            ringed = self.face("SecondsRing.dll|")
            self.assertEqual((plain.width, plain.height), (ringed.width, ringed.height))
            center_x, center_y = plain.width // 2, plain.height // 2
            inner = 0.5 * min(center_x, center_y)
            changed, outside = 0, []
            for y in range(plain.height):
                for x in range(plain.width):
                    if plain.pixel(x, y) == ringed.pixel(x, y):
                        continue
                    changed += 1
                    distance = math.hypot(x - center_x, y - center_y)
                    if distance < inner or distance > min(center_x, center_y) + 1:
                        outside.append((x, y))
            self.note("attempt %d: %d pixels changed, %d away from the ring" % (attempt, changed, len(outside)))
            self.assertEqual(outside[:10], [], "the face changed away from the ring")
            if changed > 0:
                # With TAVIX_E2E_PICTURES set to a folder, the face with its ring for the README.
                folder = os.environ.get("TAVIX_E2E_PICTURES")
                if folder:
                    ringed.save_png(os.path.join(folder, "seconds-ring.png"))
                return
            # At second 0 the arc is empty: try again a little later.
            time.sleep(2)
        self.fail_seen("the plug-in drew nothing on the face")
