"""KZ_DIM_EDITXLINE: extension-line origins moved across each dimension's direction onto
the line through the base point; measurements and dimension lines unchanged."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from kzdim_session import SCRIPTS, Session, strings  # noqa: E402


def add_slanted_dimension(doc):
    """Adds a rotated dimension at 30 degrees, measuring 1000, without links, from
    (100,-3000); returns its handle."""
    msp = doc.modelspace()
    a = math.radians(30)
    p1 = (100.0, -3000.0)
    p2 = (p1[0] + 1000 * math.cos(a), p1[1] + 1000 * math.sin(a))
    dim = msp.add_linear_dim(base=(0, -2600), p1=p1, p2=p2, angle=30)
    dim.render()
    return dim.dimension.dxf.handle


class XLineAlignTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def assertPoint(self, actual, expected, what):
        self.assertAlmostEqual(actual.x, expected[0], places=6, msg=what)
        self.assertAlmostEqual(actual.y, expected[1], places=6, msg=what)

    def test_sample_script_aligns_horizontal_and_vertical_dimensions(self):
        run = self.session.run(os.path.join(SCRIPTS, "edit-xline.scr"))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("\n基点: -100,-300\n", run.transcript)
        expected = {
            # handle: (first origin, second origin, dimension line point, measurement)
            "7D": ((0, -300), (2000, -300), (0, 400), 2000),
            "9C": ((-100, 75), (-100, 1575), (2700, 0), 1500),
            "A9": ((0, -300), (2500, -300), (0, -700), 2500),
        }
        for handle, (x1, x2, line, length) in expected.items():
            dim = run.entity(handle)
            self.assertPoint(dim.dxf.defpoint2, x1, handle + " first origin")
            self.assertPoint(dim.dxf.defpoint3, x2, handle + " second origin")
            self.assertPoint(dim.dxf.defpoint, line, handle + " dimension line")
            self.assertAlmostEqual(dim.get_measurement(), length, places=6)
        # 8C was not selected.
        dim = run.entity("8C")
        self.assertPoint(dim.dxf.defpoint2, (2000, 0), "8C")
        self.assertPoint(dim.dxf.defpoint3, (2075, 75), "8C")
        # The links are not touched.
        self.assertEqual(strings(run.entity("A9"), "KZ_DIMENSION"), ["73"])

    def test_slanted_dimension_and_a_base_point_on_the_origin_line(self):
        handles = {}

        def change(doc):
            handles["slanted"] = add_slanted_dimension(doc)

        drawing = self.session.changed_sample(change)
        slanted = handles["slanted"]
        # One base point for a slanted and a horizontal dimension; then A9 aligned to a
        # point on its own origin line, which leaves it as it was.
        run = self.session.run(["KZ_DIM_EDITXLINE", "#" + slanted, "#7D", "", "0,-2000",
                                "KZ_DIM_EDITXLINE", "#A9", "", "700,-1200"], drawing)
        self.assertEqual(run.returncode, 0, run.stderr)
        dim = run.entity(slanted)
        # Each origin moves along 120 degrees onto the 30 degree line through Q.
        n = (math.cos(math.radians(120)), math.sin(math.radians(120)))
        q = (0.0, -2000.0)
        a = math.radians(30)
        for point, start in ((dim.dxf.defpoint2, (100.0, -3000.0)),
                             (dim.dxf.defpoint3, (100 + 1000 * math.cos(a),
                                                  -3000 + 1000 * math.sin(a)))):
            across = (q[0] - start[0]) * n[0] + (q[1] - start[1]) * n[1]
            self.assertPoint(point, (start[0] + across * n[0], start[1] + across * n[1]),
                             "slanted origin")
        self.assertAlmostEqual(dim.get_measurement(), 1000, places=6)
        self.assertPoint(run.entity("7D").dxf.defpoint2, (0, -2000), "7D first origin")
        self.assertPoint(run.entity("7D").dxf.defpoint3, (2000, -2000), "7D second origin")
        self.assertPoint(run.entity("A9").dxf.defpoint2, (0, -1200), "A9 first origin")
        self.assertPoint(run.entity("A9").dxf.defpoint3, (2500, -1200), "A9 second origin")


if __name__ == "__main__":
    unittest.main(verbosity=2)
