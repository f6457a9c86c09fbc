"""A dimension written to DXF by the host is read by another DXF library (ezdxf): its
block exists and holds the lines and the text, and the ACAD DSTYLE overrides come
through."""
import os
import subprocess
import sys
import tempfile
import unittest

import ezdxf

BIN_DIR = os.environ.get("KZ_BIN_DIR", "")
WRITER = os.path.join(BIN_DIR, "test_platform_acad_db_dim")


class DimensionReadByEzdxf(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        path = os.path.join(cls.tmp.name, "dim.dxf")
        env = dict(os.environ, KZ_DIM_DXF_OUT=path)
        run = subprocess.run(
            [WRITER, "--gtest_filter=*DimensionWrittenToDxfReadsBackWithItsBlockAndOverrides"],
            env=env, capture_output=True, text=True, timeout=120)
        if run.returncode != 0:
            raise AssertionError("the writer test failed:\n" + run.stdout + run.stderr)
        cls.doc = ezdxf.readfile(path)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def dimension(self):
        dims = self.doc.modelspace().query("DIMENSION")
        self.assertEqual(len(dims), 1)
        return dims[0]

    def test_dimension_is_a_rotated_linear_dimension(self):
        dim = self.dimension()
        self.assertEqual(dim.dimtype, 0)
        self.assertEqual(dim.dxf.dimstyle, "Standard")
        self.assertAlmostEqual(dim.dxf.defpoint2.x, 0.0)
        self.assertAlmostEqual(dim.dxf.defpoint3.x, 1200.0)
        self.assertAlmostEqual(dim.get_measurement(), 1200.0)

    def test_block_holds_the_lines_and_the_text(self):
        dim = self.dimension()
        name = dim.dxf.geometry
        self.assertTrue(name.startswith("*D"), name)
        block = self.doc.blocks.get(name)
        self.assertIsNotNone(block)
        types = [e.dxftype() for e in block]
        self.assertEqual(types.count("LINE"), 2, types)
        self.assertEqual(types.count("MTEXT"), 1, types)
        self.assertEqual(types.count("INSERT"), 1, types)  # the dot; the other end has none
        self.assertEqual(types.count("POINT"), 3, types)
        mtext = block.query("MTEXT")[0]
        self.assertEqual(mtext.plain_text(), "1200")
        self.assertAlmostEqual(mtext.dxf.char_height, 150.0)
        # Text above the line: its middle is gap + half height over y = 300.
        self.assertAlmostEqual(mtext.dxf.insert.y, 300 + 0.625 + 75)
        insert = block.query("INSERT")[0]
        self.assertEqual(insert.dxf.name, "_DOT")
        self.assertIn("_DOT", self.doc.blocks)
        for point in block.query("POINT"):
            self.assertEqual(point.dxf.layer, "Defpoints")

    def test_dstyle_overrides_come_through(self):
        dim = self.dimension()
        override = dim.override()
        self.assertEqual(override.get("dimtad"), 1)
        self.assertAlmostEqual(override.get("dimasz"), 100.0)
        self.assertAlmostEqual(override.get("dimtxt"), 150.0)
        self.assertEqual(override.get("dimse1"), 1)
        self.assertEqual(override.get("dimsah"), 1)
        self.assertEqual(override.get("dimclrd"), 1)
        self.assertIn(override.get("dimblk1"), ("NONE", "_NONE"))
        self.assertIn(override.get("dimblk2"), ("DOT", "_DOT"))


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
