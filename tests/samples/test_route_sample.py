"""The bundled sample drawing: the generator makes what samples/route-sample.dxf holds;
ezdxf reads it without audit errors; its route elements carry attributes and link
data; its rotated dimensions have blocks with extension and dimension lines, arrowheads
and the measurement above the line; kzdim render draws it."""
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "platform", "acad", "dxf_compat"))
from compat_support import (BIN_DIR, SOURCE_DIR, all_xdata, attribs_of, attributes_of,  # noqa: E402
                            audit_errors, groups_of, run_kzdim)

COMMITTED = os.path.join(SOURCE_DIR, "samples", "route-sample.dxf")


def contents(doc):
    """Every block's entities with their properties, attributes and extended data, and
    the groups, with handles replaced by the entities' places in that list."""
    place, described = {}, []
    for block in doc.blocks:
        for e in block:
            place[e.dxf.handle] = "#%d" % len(place)

    def unhandled(value):
        return place.get(value, value) if isinstance(value, str) else value

    props = attribs_of(doc)
    attributes = attributes_of(doc)
    xdata = all_xdata(doc)
    for block in doc.blocks:
        described.append((block.name, "BLOCK_RECORD", xdata.get(block.block_record.dxf.handle)))
        for e in block:
            h = e.dxf.handle
            described.append((
                block.name, e.dxftype(), sorted(props[h].items()),
                [(tag, text) for _, tag, text in attributes.get(h, [])],
                {app: [(code, unhandled(v)) for code, v in tags]
                 for app, tags in xdata.get(h, {}).items()}))
    groups = {name: sorted(place[h] for h in members)
              for name, members in groups_of(doc).items()}
    return described, groups


class RouteSample(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.path = os.path.join(cls.tmp.name, "route-sample.dxf")
        run = subprocess.run([os.path.join(BIN_DIR, "make_route_sample"), cls.path],
                             capture_output=True, text=True, timeout=120)
        if run.returncode != 0:
            raise AssertionError("make_route_sample failed: " + run.stderr)
        cls.doc = ezdxf.readfile(cls.path)
        cls.msp = cls.doc.modelspace()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_committed_sample_is_what_the_generator_makes(self):
        # Handles are left out: a change in how the database numbers its objects does
        # not make the sample stale; a change in what it holds does.
        self.assertEqual(contents(ezdxf.readfile(COMMITTED)), contents(self.doc),
                         "samples/route-sample.dxf is stale: run build/bin/make_route_sample "
                         "samples/route-sample.dxf")

    def test_audit_finds_no_error(self):
        self.assertEqual(audit_errors(ezdxf.readfile(self.path)), [])

    def test_route_elements_are_references_with_attributes_and_link_data(self):
        inserts = self.msp.query("INSERT")
        self.assertEqual(len(inserts), 4)
        kinds = set()
        for insert in inserts:
            self.assertTrue(insert.has_xdata("KZ_LINK"), insert.dxf.name)
            record = self.doc.block_records.get(insert.dxf.name)
            element = [t.value for t in record.get_xdata("KZ_ELEMENT")]
            self.assertEqual(len(element), 3)  # identifier, root type, route kind
            kinds.add(element[0])
            # Straight elements start at the block origin and run along +x.
            points = [p.dxf.location for p in self.doc.blocks.get(insert.dxf.name)
                      if p.dxftype() == "POINT" and p.dxf.layer == "KZ_CONNECT"]
            self.assertEqual(len(points), 2)
            if element[0].startswith("RT"):
                self.assertEqual(tuple(points[0]), (0, 0, 0))
                self.assertGreater(points[1].x, 0)
                self.assertEqual(points[1].y, 0)
            self.assertTrue(insert.get_attrib("S121"), insert.dxf.name)
        self.assertEqual(kinds, {"RT01", "RBL01", "RT11"})
        duct = [i for i in inserts if i.get_attrib_text("S016") == "KAKU"]
        self.assertEqual(len(duct), 1)
        self.assertEqual(groups_of(self.doc)["ROUTE1"],
                         sorted(i.dxf.handle for i in inserts if i.dxf.layer == "PIPE"))

    def test_dimensions_have_blocks_with_lines_arrowheads_and_the_text_above(self):
        dims = self.msp.query("DIMENSION")
        self.assertEqual(len(dims), 4)
        for dim in dims:
            with self.subTest(dim=dim.dxf.handle):
                self.assertEqual(dim.dimtype, 0)  # rotated
                block = self.doc.blocks.get(dim.dxf.geometry)
                self.assertIsNotNone(block)
                types = [e.dxftype() for e in block]
                self.assertGreaterEqual(types.count("LINE"), 3, types)
                self.assertEqual(types.count("SOLID"), 2, types)
                mtexts = block.query("MTEXT")
                self.assertEqual(len(mtexts), 1, types)
                measurement = dim.get_measurement()
                self.assertEqual(mtexts[0].plain_text(), "%g" % round(measurement))
                # Above the dimension line: on its left for a vertical dimension.
                angle = dim.dxf.angle % 180
                text, line = mtexts[0].dxf.insert, dim.dxf.defpoint
                if angle == 0:
                    self.assertGreater(text.y, line.y)
                else:
                    self.assertLess(text.x, line.x)

    def test_dimensions_and_elements_are_linked_both_ways(self):
        handles = {e.dxf.handle: e for e in self.msp}
        for dim in self.msp.query("DIMENSION"):
            elements = [t.value for t in dim.get_xdata("KZ_DIMENSION")]
            self.assertTrue(elements)
            for h in elements:
                back = [t.value for t in handles[h].get_xdata("KZ_DIMENSION")]
                self.assertIn(dim.dxf.handle, back)

    def test_render_draws_the_measurements_and_attributes(self):
        svg = os.path.join(self.tmp.name, "route-sample.svg")
        run = run_kzdim("render", self.path, "--svg", svg)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stderr, "")
        root = ET.parse(svg).getroot()
        texts = [t.text for t in root.iter("{http://www.w3.org/2000/svg}text")]
        for expected in ("2000", "75", "1500", "2500", "50A", "400"):
            self.assertIn(expected, texts)
        # Attributes left invisible stay out of the picture.
        self.assertNotIn("SGP", texts)
        self.assertNotIn("KAKU", texts)


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
