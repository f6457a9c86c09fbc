"""The bundled script of the main job runs on the bundled drawing and gives the chains it
describes, sized by the drawing scale."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kzdim"))
import kzdim_run  # noqa: E402

SCRIPT = os.path.join(kzdim_run.SRC, "samples", "scripts", "make-dimensions.scr")


class MakeDimensionsScriptTest(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_run.Session()

    def tearDown(self):
        self.s.close()

    def test_script_dimensions_pipe_riser_duct_and_points(self):
        with open(SCRIPT, encoding="utf-8") as f:
            lines = f.read().splitlines()
        r = self.s.run(lines, options=("--scale", "30"))
        self.assertEqual(r.status, 0, r.stdout[-2000:] + r.stderr)
        doc = r.drawing()
        new = [d for d in doc.modelspace().query("DIMENSION")
               if d.dxf.handle not in {"7D", "8C", "9C", "A9"}]
        measured = sorted(round(d.get_measurement(), 6) for d in new)
        self.assertEqual(measured, [75.0, 1000.0, 1200.0, 1500.0, 2000.0, 2500.0])
        for d in new:
            self.assertAlmostEqual(d.override().get("dimscale"), 30.0)
            self.assertAlmostEqual(d.override().get("dimtxt"), 3.0)
        riser = [d for d in new if round(d.get_measurement()) == 1500][0]
        self.assertAlmostEqual(riser.dxf.angle, 90.0)
        self.assertEqual(kzdim_run.links(riser), ["6C"])
        self.assertFalse(doc.audit().has_errors)

    def test_scale_must_be_a_positive_number(self):
        for bad in ("0", "-3", "abc", "nan"):
            r = subprocess.run([kzdim_run.KZDIM, "run", "new", "--scale", bad],
                               capture_output=True, timeout=60)
            self.assertEqual(r.returncode, 2, bad)
            self.assertIn("--scale needs a positive number", r.stderr.decode())


if __name__ == "__main__":
    unittest.main()
