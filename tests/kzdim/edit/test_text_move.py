"""KZ_DIM_EDITTEXT on the route sample: lock and free mode, the one displacement taken
from the first selected text, and what the saved dimensions hold afterwards (text
position, text-movement setting, the shown MText)."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from kzdim_session import SCRIPTS, Session, dim_text, dimtmove, strings  # noqa: E402

PROMPT = "寸法文字移動 ｵﾌﾟｼｮﾝ [基点(P)/線分(E)/補正値(V)] [ﾌﾘｰ(FO)/ﾛｯｸ(LO)]: "
# Where the sample's dimension texts stand before any move.
TEXT_AT = {"7D": (1000, 460), "8C": (2211, 460), "9C": (2640, 825), "A9": (1250, -640)}


class TextMoveTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def assertTextAt(self, run, handle, x, y):
        dim = run.entity(handle)
        where = dim.dxf.text_midpoint
        self.assertAlmostEqual(where.x, x, places=6, msg=handle)
        self.assertAlmostEqual(where.y, y, places=6, msg=handle)
        # The block shows the text where the dimension now keeps it.
        shown = dim_text(run.doc, dim).dxf.insert
        self.assertAlmostEqual(shown.x, x, places=6, msg=handle)
        self.assertAlmostEqual(shown.y, y, places=6, msg=handle)

    def test_sample_script_moves_in_lock_then_free_mode(self):
        run = self.session.run(os.path.join(SCRIPTS, "edit-text.scr"))
        self.assertEqual(run.returncode, 0, run.stderr)
        # Each keyword reaches the drag and the prompt comes back after it.
        for typed in ("~1500,900", "FO", "LO", "1500,700", "1300,-500"):
            self.assertIn(PROMPT + typed + "\n", run.transcript)
        # First command, ended in lock mode: 7D's text (rotation 0) goes straight up to
        # the cursor's height; 9C's text takes the same displacement although it is
        # turned by 90 degrees.
        self.assertTextAt(run, "7D", 1000, 700)
        self.assertTextAt(run, "9C", 2640, 1065)
        # Second command, free mode: both move by the cursor less A9's text.
        self.assertTextAt(run, "A9", 1300, -500)
        self.assertTextAt(run, "8C", 2261, 600)
        for handle in ("7D", "8C", "9C", "A9"):
            dim = run.entity(handle)
            self.assertEqual(dimtmove(dim), 2, handle)
            # The measured value and the links stay as they were.
            self.assertEqual(dim_text(run.doc, dim).plain_text(),
                             "%g" % round(dim.get_measurement()))
        self.assertEqual(strings(run.entity("7D"), "KZ_DIMENSION"), ["61"])
        self.assertEqual(strings(run.entity("9C"), "KZ_DIMENSION"), ["6C"])

    def test_lock_mode_follows_the_first_text_turned_by_90_degrees(self):
        # 9C's vertical text comes first: lock mode lets the texts move along x only.
        # A dimension that is not selected keeps its text and its setting.
        run = self.session.run(["KZ_DIM_EDITTEXT", "#9C", "#7D", "", "~3000,0", "3000,0"])
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTextAt(run, "9C", 3000, 825)
        self.assertTextAt(run, "7D", 1360, 460)
        self.assertTextAt(run, "8C", *TEXT_AT["8C"])
        self.assertEqual(dimtmove(run.entity("9C")), 2)
        self.assertNotEqual(dimtmove(run.entity("8C")), 2)

    def test_every_run_starts_in_lock_mode(self):
        # Free mode chosen in one run does not carry over into the next.
        run = self.session.run(["KZ_DIM_EDITTEXT", "#7D", "", "FO", "1100,500",
                                "KZ_DIM_EDITTEXT", "#7D", "", "1500,600"])
        self.assertEqual(run.returncode, 0, run.stderr)
        # First run: free, to 1100,500. Second run: lock from there, y only.
        self.assertTextAt(run, "7D", 1100, 600)

    def test_lock_mode_along_a_slanted_text(self):
        # A text turned by 135 degrees moves along the 45 degree line through it.
        def turn(doc):
            dim = doc.entitydb["7D"]
            dim_text(doc, dim).dxf.text_direction = (math.cos(math.radians(135)),
                                                    math.sin(math.radians(135)), 0)
        drawing = self.session.changed_sample(turn)
        run = self.session.run(["KZ_DIM_EDITTEXT", "#7D", "", "1000,660"], drawing)
        self.assertEqual(run.returncode, 0, run.stderr)
        # The line through the cursor at 135 degrees meets the 45 degree line through
        # (1000,460) at (1100,560).
        self.assertTextAt(run, "7D", 1100, 560)


if __name__ == "__main__":
    unittest.main(verbosity=2)
