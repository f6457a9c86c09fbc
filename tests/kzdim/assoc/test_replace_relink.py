"""The replace reactor end to end: KZ_DIM_MOVE hands a length change to the host add-in,
whose KZ_REJOB1 replaces the edited element by a stretched copy and tells the
reactors; a route dimension follows the copy only when the copy's length still agrees
with what the dimension measures."""
import os
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from kzdim_session import Session, element_length, strings  # noqa: E402

REPLACED = re.compile(r"KZ_REJOB1: \d+ element\(s\) moved; (\w+) replaced by (\w+) ")


class ReplaceRelinkTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def edit(self, dimension, typed, drawing=None):
        """Runs one length edit; returns the run, the replaced and the new element."""
        lines = ["KZ_DIM_MOVE", "#" + dimension] + (["200=" + typed] if typed else []) + ["OK"]
        run = self.session.run(lines, *([drawing] if drawing else []))
        self.assertEqual(run.returncode, 0, run.stderr)
        found = REPLACED.findall(run.transcript)
        self.assertEqual(len(found), 1, run.transcript)
        return run, found[0][0], found[0][1]

    def test_dimension_follows_a_copy_of_the_same_length(self):
        # Confirming the shown value: the pipe is replaced by a copy as long as before.
        run, old, new = self.edit("7D", None)
        self.assertEqual(old, "61")
        self.assertIsNone(run.entity("61"))
        self.assertEqual(strings(run.entity("7D"), "KZ_DIMENSION"), [new])
        # The copy keeps the pipe's own records; the other dimensions keep theirs.
        self.assertEqual(strings(run.entity(new), "KZ_DIMENSION"), ["7D"])
        self.assertEqual(strings(run.entity("8C"), "KZ_DIMENSION"), ["69"])
        self.assertEqual(strings(run.entity("9C"), "KZ_DIMENSION"), ["6C"])

    def test_lengths_agreeing_within_two_tenths(self):
        # The dimension measures 2000 throughout; the pipe's copy gets the new length.
        for typed, length, relinked in (("<0.15", 2000.15, True), ("<-0.15", 1999.85, True),
                                        ("<0.25", 2000.25, False), ("2100", 2100, False)):
            with self.subTest(typed=typed):
                run, old, new = self.edit("7D", typed)
                self.assertAlmostEqual(element_length(run.doc, run.entity(new)), length,
                                       places=6)
                self.assertAlmostEqual(run.entity("7D").get_measurement(), 2000, places=6)
                self.assertEqual(strings(run.entity("7D"), "KZ_DIMENSION"),
                                 [new] if relinked else [old])

    def test_only_the_first_listed_dimension_is_looked_at(self):
        # The pipe names 8C before 7D: 8C measures the elbow, not the pipe's copy, so it
        # stays; 7D, whose length would agree, is not looked at.
        def two_dimensions(doc):
            doc.entitydb["61"].set_xdata("KZ_DIMENSION", [(1000, "8C"), (1000, "7D")])
        run, old, new = self.edit("7D", None, self.session.changed_sample(two_dimensions))
        self.assertEqual(strings(run.entity("7D"), "KZ_DIMENSION"), ["61"])
        self.assertEqual(strings(run.entity("8C"), "KZ_DIMENSION"), ["69"])

    def test_dimension_linked_to_two_elements_keeps_only_the_copy(self):
        # A duct dimension over the duct and pipe 61 (the duct decides the edit):
        # afterwards it names the duct's copy alone.
        def two_elements(doc):
            doc.entitydb["A9"].set_xdata("KZ_DIMENSION", [(1000, "73"), (1000, "61")])
        run, old, new = self.edit("A9", None, self.session.changed_sample(two_elements))
        self.assertEqual(old, "73")
        self.assertEqual(strings(run.entity("A9"), "KZ_DIMENSION"), [new])

    def test_rectangular_duct_copy_is_measured_between_connection_points(self):
        # The duct's length points span 2400 and its connection points 2500, as its
        # dimension measures: the copy is compared by its connection points.
        def shorten(doc):
            for p in doc.blocks.get("D400-2500").query("POINT"):
                if p.dxf.layer == "KZ_LENGTH" and p.dxf.location.x > 0:
                    p.dxf.location = (2400, 0, 0)
        run, old, new = self.edit("A9", None, self.session.changed_sample(shorten))
        self.assertEqual(old, "73")
        self.assertAlmostEqual(element_length(run.doc, run.entity(new), "KZ_CONNECT"), 2500,
                               places=6)
        self.assertEqual(strings(run.entity("A9"), "KZ_DIMENSION"), [new])


if __name__ == "__main__":
    unittest.main(verbosity=2)
