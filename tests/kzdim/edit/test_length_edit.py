"""KZ_DIM_MOVE end to end: the arrowhead on the view, the length popup (dialog 211) and
its "<" and ">" rules, the displacement handed to the host add-in's KZ_REJOB1, which
re-lays the route in the same run, the base element chosen at the moving end, and the
temporary end element that disappears again."""
import math
import os
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from kzdim_session import SCRIPTS, Session, element_length, root, strings  # noqa: E402

REJOB = re.compile(r"KZ_REJOB1: (\d+) element\(s\) moved; (\w+) replaced by (\w+) "
                   r"\(length ([\d.]+) to ([\d.]+)\)\.")
DISPLACEMENT = "Displacement (@dx,dy) or new insertion point (x,y): "
POLYGON = re.compile(r"\[draw polygon (-?\d+),(-?\d+) (-?\d+),(-?\d+) (-?\d+),(-?\d+) "
                     r"pen #000000 fill #141414\]")


def route_inserts(doc):
    return {e.dxf.handle: e for e in doc.modelspace().query("INSERT") if e.has_xdata("KZ_LINK")}


class LengthEditTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def rejobs(self, run):
        """(moved count, old handle, new handle, old length, new length) per KZ_REJOB1."""
        return [(int(m[0]), m[1], m[2], float(m[3]), float(m[4]))
                for m in REJOB.findall(run.transcript)]

    def assertRoot(self, doc, insert, start, end, what):
        (x0, y0), (x1, y1) = root(doc, insert)
        for got, want in zip((x0, y0, x1, y1), (*start, *end)):
            self.assertAlmostEqual(got, want, places=6, msg=what)

    def assertNoTemporaryEnd(self, doc):
        links = [strings(e, "KZ_LINK") for e in doc.modelspace().query("INSERT")
                 if e.has_xdata("KZ_LINK")]
        self.assertNotIn(["0|||01||1|"], links)

    def test_sample_script_refused_entry_then_two_route_edits(self):
        run = self.session.run(os.path.join(SCRIPTS, "move-length.scr"))
        self.assertEqual(run.returncode, 0, run.stderr)
        t = run.transcript
        self.assertIn("\n経路寸法を選択:#7D\n", t)
        # The popup opens with the rounded measurement; "20<0" keeps it open.
        self.assertIn('Dialog 211\n  200 edit: "2000"\n', t)
        self.assertIn('Dialog 211: 200=20<0\n  200 edit: "20<0"\nDialog 211: OK\n'
                      '  (Dialog 211 stays open)\nDialog 211: 200=2100\n', t)
        self.assertIn('Dialog 211\n  200 edit: "1500"\n', t)
        self.assertEqual(t.count("Dialog 211 closed: OK"), 2)
        # KZ_REJOB1 comes off the command line after each edit, with the displacement.
        self.assertEqual(t.count("コマンド: KZ_REJOB1\n"), 2)
        self.assertIn(DISPLACEMENT + "@100.000000,0.000000\n", t)
        # 100 along 270 degrees: the x part is a tiny negative number.
        self.assertIn(DISPLACEMENT + "@-0.000000,-100.000000\n", t)
        (moved1, old1, pipe, len0, len1), (moved2, old2, riser, len2, len3) = self.rejobs(run)
        self.assertEqual((moved1, old1, len0, len1), (2, "61", 2000, 2100))
        self.assertEqual((moved2, old2, len2, len3), (2, "6C", 1500, 1600))

        doc = run.doc
        inserts = route_inserts(doc)
        self.assertEqual(sorted(inserts), sorted([pipe, "69", riser, "73"]))
        # First edit: the pipe's far end moves 100 along x, the elbow and 6C with it.
        # Second: 6C's lower end moves down 100, taking the elbow and the pipe along.
        self.assertRoot(doc, inserts[pipe], (0, -100), (2100, -100), "pipe")
        self.assertAlmostEqual(element_length(doc, inserts[pipe]), 2100, places=6)
        self.assertRoot(doc, inserts[riser], (2175, -25), (2175, 1575), "riser")
        self.assertAlmostEqual(element_length(doc, inserts[riser]), 1600, places=6)
        self.assertEqual(tuple(inserts["69"].dxf.insert), (2100, -100, 0))
        self.assertEqual(sorted(h.dxf.handle for h in doc.groups.get("ROUTE1")),
                         sorted([pipe, "69", riser]))
        # The dimensions measure what they measured: the lengths now differ, so they
        # keep their links to the replaced elements.
        self.assertAlmostEqual(run.entity("7D").get_measurement(), 2000, places=6)
        self.assertEqual(strings(run.entity("7D"), "KZ_DIMENSION"), ["61"])
        self.assertEqual(strings(run.entity("9C"), "KZ_DIMENSION"), ["6C"])

    def test_typed_values_choose_length_and_moving_end(self):
        cases = [
            # typed, displacement sent, elements moved, new length, new root of 61
            ("2100", "@100.000000,0.000000", 2, 2100, ((0, 0), (2100, 0))),
            ("-2100", "@-100.000000,0.000000", 1, 2100, ((-100, 0), (2000, 0))),
            ("<50", "@50.000000,0.000000", 2, 2050, ((0, 0), (2050, 0))),
            (">50", "@-50.000000,0.000000", 1, 2050, ((-50, 0), (2000, 0))),
            # Printed as C prints -50 * sin(0): "-0.000000".
            ("<-50", "@-50.000000,-0.000000", 2, 1950, ((0, 0), (1950, 0))),
            # Both signs: the "<" rule decides.
            ("<>20", "@0.000000,0.000000", 2, 2000, ((0, 0), (2000, 0))),
        ]
        for typed, sent, moved, length, (start, end) in cases:
            with self.subTest(typed=typed):
                run = self.session.run(["KZ_DIM_MOVE", "#7D", "200=" + typed, "OK"])
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertIn(DISPLACEMENT + sent + "\n", run.transcript)
                [(n, old, new, before, after)] = self.rejobs(run)
                self.assertEqual((n, old, before, after), (moved, "61", 2000, length))
                pipe = run.entity(new)
                self.assertRoot(run.doc, pipe, start, end, typed)
                self.assertAlmostEqual(element_length(run.doc, pipe), length, places=6)
                # The elbow follows only when the far end moves.
                self.assertAlmostEqual(run.entity("69").dxf.insert.x, end[0], places=6)
                self.assertNoTemporaryEnd(run.doc)

    def test_arrowhead_points_along_the_segment(self):
        # 7D and 9C as the user picks them; then 7D chosen at the command prompt (the
        # command takes it without asking) while the cursor is far outside the view,
        # where no arrowhead can be drawn but the popup still opens.
        run = self.session.run(["KZ_DIM_MOVE", "#7D", "CANCEL", "KZ_DIM_MOVE", "#9C", "CANCEL",
                                "KZ_DIM_EDITXLINE", "#8C", "", "2000,900000",
                                "#7D", "KZ_DIM_MOVE", "CANCEL"])
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.transcript.count("\n経路寸法を選択:"), 2)
        self.assertEqual(run.transcript.count("[draw polygon"), 2, run.transcript)
        arrows = [[int(v) for v in m] for m in POLYGON.findall(run.transcript)]
        self.assertEqual(len(arrows), 2, run.transcript)
        for arrow, (dx, dy) in zip(arrows, ((1, 0), (0, -1))):  # screen y grows down
            c1, tip, c2 = (arrow[0:2], arrow[2:4], arrow[4:6])
            # Both back corners 32 pixels behind the tip, 15 degrees either side.
            for corner in (c1, c2):
                back = (corner[0] - tip[0], corner[1] - tip[1])
                self.assertAlmostEqual(math.hypot(*back), 32, delta=1.5)
                along = -(back[0] * dx + back[1] * dy)
                self.assertAlmostEqual(along, 32 * math.cos(math.radians(15)), delta=1.5)
            self.assertNotEqual(c1, c2)
        # Cancelled: nothing went to the host add-in.
        self.assertNotIn("KZ_REJOB1", run.transcript)
        self.assertEqual(run.transcript.count("Dialog 211 closed: Cancel"), 3)

    def test_small_mismatch_is_accepted_and_rounded(self):
        # A dimension measuring 2000.15 over the 2000 long pipe: the popup shows 2000,
        # and confirming it asks for no change of length.
        def stretch(doc):
            doc.entitydb["7D"].dxf.defpoint3 = (2000.15, 0, 0)
        run = self.session.run(["KZ_DIM_MOVE", "#7D", "OK"], self.session.changed_sample(stretch))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn('Dialog 211\n  200 edit: "2000"\n', run.transcript)
        self.assertIn(DISPLACEMENT + "@0.000000,0.000000\n", run.transcript)
        [(_, old, _, before, after)] = self.rejobs(run)
        self.assertEqual((old, before, after), ("61", 2000, 2000))

    def test_elbow_at_the_end_becomes_an_absolute_base(self):
        # Without pipe 61 the elbow ends the route: nothing straight lies beyond it, so
        # the elbow itself is moved, to its insertion point plus the displacement.
        def drop_pipe(doc):
            msp = doc.modelspace()
            for handle in ("61", "7D"):
                msp.delete_entity(doc.entitydb[handle])
            doc.groups.get("ROUTE1").set_data([doc.entitydb["69"], doc.entitydb["6C"]])
        run = self.session.run(["KZ_DIM_MOVE", "#9C", "200=-1600", "OK"],
                               self.session.changed_sample(drop_pipe))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn(DISPLACEMENT + "2000.000000,-100.000000\n", run.transcript)
        [(moved, old, new, before, after)] = self.rejobs(run)
        self.assertEqual((moved, old, before, after), (1, "6C", 1500, 1600))
        self.assertEqual(tuple(run.entity("69").dxf.insert), (2000, -100, 0))
        self.assertRoot(run.doc, run.entity(new), (2075, -25), (2075, 1575), "riser")

    def test_rectangular_duct_is_measured_between_its_connection_points(self):
        # The duct's length points span 2400, its connection points 2500 as its
        # dimension does: the duct is measured by the latter and the edit goes ahead.
        def shorten(doc):
            for p in doc.blocks.get("D400-2500").query("POINT"):
                if p.dxf.layer == "KZ_LENGTH" and p.dxf.location.x > 0:
                    p.dxf.location = (2400, 0, 0)
        run = self.session.run(["KZ_DIM_MOVE", "#A9", "200=2600", "OK"],
                               self.session.changed_sample(shorten))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertNotIn("[stop]", run.transcript)
        self.assertIn('Dialog 211\n  200 edit: "2500"\n', run.transcript)
        # Nothing is connected at the far end: a temporary end element is moved there
        # and is gone when the drawing is saved.
        self.assertIn(DISPLACEMENT + "@100.000000,0.000000\n", run.transcript)
        [(moved, old, new, before, after)] = self.rejobs(run)
        self.assertEqual((moved, old, before, after), (1, "73", 2500, 2600))
        self.assertRoot(run.doc, run.entity(new), (0, -1200), (2600, -1200), "duct")
        self.assertNoTemporaryEnd(run.doc)


if __name__ == "__main__":
    unittest.main(verbosity=2)
