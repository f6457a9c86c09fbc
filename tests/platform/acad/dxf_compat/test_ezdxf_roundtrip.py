"""A drawing written by ezdxf (blocks, references with attributes, extended data on
entities and block records, groups, hatches, splines and other entities the host does
not model) goes through kzdim convert; ezdxf then reads every entity, handle,
attribute, extended-data record and group as before, and its audit finds no error."""
import os
import sys
import tempfile
import unittest

import ezdxf

from compat_support import (all_xdata, attribs_of, attributes_of, audit_errors, convert,
                            groups_of, layouts_of)


def build_drawing(path):
    doc = ezdxf.new("R2013")
    doc.appids.new("KZ_TEST")
    doc.appids.new("KZ_OTHER")
    doc.layers.new("PIPE", dxfattribs={"color": 5})
    doc.layers.new("HIDDEN", dxfattribs={"color": 1}).off()
    doc.layers.new("ICE", dxfattribs={"color": 3}).freeze()

    valve = doc.blocks.new("VALVE", base_point=(5, 5))
    valve.add_line((0, 5), (10, 5))
    valve.add_circle((5, 5), 2)
    valve.add_attdef("TAG1", (5, 8), dxfattribs={"height": 1.5})
    valve.add_attdef("SIZE", (5, 2), dxfattribs={"height": 1.0})
    doc.block_records.get("VALVE").set_xdata(
        "KZ_TEST", [(1000, "block record data"), (1070, 5), (1040, 2.5)])
    nested = doc.blocks.new("NESTED")
    nested.add_blockref("VALVE", (0, 0), dxfattribs={"rotation": 90})
    nested.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0), (10, 10)], format="xyseb")

    msp = doc.modelspace()
    line = msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "PIPE"})
    line.set_xdata("KZ_TEST", [
        (1000, "text"), (1002, "{"), (1070, 7), (1071, 123456), (1002, "}"),
        (1010, (1, 2, 3)), (1040, 0.125), (1005, "1F"), (1000, "配管")])
    line.set_xdata("KZ_OTHER", [(1000, "second application")])
    for i, (x, y, angle) in enumerate([(20, 20, 0), (40, 20, 30), (60, 20, 90)]):
        ref = msp.add_blockref("VALVE", (x, y), dxfattribs={
            "rotation": angle, "xscale": 1 + i, "yscale": 1 + i, "layer": "PIPE"})
        ref.add_auto_attribs({"TAG1": "V-%d" % (i + 1), "SIZE": "%dA" % (25 * (i + 1))})
        ref.set_xdata("KZ_TEST", [(1000, "valve %d" % i)])
    msp.add_blockref("NESTED", (0, 50))
    msp.add_circle((50, 50), 10)
    msp.add_arc((80, 50), 5, 10, 200)
    msp.add_text("plain text", dxfattribs={"height": 2, "insert": (0, 80)})
    msp.add_mtext("first\\Psecond", dxfattribs={"char_height": 2, "insert": (0, 90)})
    msp.add_lwpolyline([(0, 100), (10, 100), (10, 110)], close=True)
    msp.add_polyline2d([(20, 100), (30, 100), (30, 110)])
    msp.add_polyline3d([(40, 100, 0), (50, 100, 5), (50, 110, 10)])
    msp.add_point((5, 5), dxfattribs={"layer": "HIDDEN"})
    msp.add_solid([(0, 120), (10, 120), (0, 130), (10, 130)], dxfattribs={"layer": "ICE"})

    hatch = msp.add_hatch(color=2)
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True)
    hatch.set_xdata("KZ_TEST", [(1000, "hatch data")])
    pattern = msp.add_hatch(color=3)
    pattern.set_pattern_fill("ANSI31", scale=0.5)
    edge = pattern.paths.add_edge_path()
    edge.add_line((20, 0), (30, 0))
    edge.add_arc((25, 0), 5, 0, 180)
    spline = msp.add_spline([(0, 0), (10, 10), (20, 0), (30, 10)])
    spline.set_xdata("KZ_TEST", [(1000, "spline data")])
    msp.add_open_spline([(0, 20), (10, 30), (20, 20), (30, 30)], degree=3)
    msp.add_ellipse((100, 100), major_axis=(10, 0), ratio=0.5)
    msp.add_xline((0, 0), (1, 1))
    msp.add_linear_dim(base=(0, -20), p1=(0, 0), p2=(100, 0),
                       override={"dimtad": 1, "dimasz": 3}).render()
    msp.add_aligned_dim(p1=(0, 0), p2=(30, 40), distance=10).render()

    group = doc.groups.new("ROUTE")
    group.extend([line, spline, hatch])
    doc.groups.new("SECOND").extend([msp.query("CIRCLE")[0]])
    doc.saveas(path)


def hatch_data(doc):
    out = {}
    for h in doc.modelspace().query("HATCH"):
        paths = []
        for p in h.paths:
            if p.type == ezdxf.entities.BoundaryPathType.POLYLINE:
                paths.append(("polyline", [tuple(round(c, 9) for c in v) for v in p.vertices]))
            else:
                paths.append(("edges", [e.type for e in p.edges]))
        out[h.dxf.handle] = (h.dxf.pattern_name, h.dxf.solid_fill, h.dxf.color, paths)
    return out


def spline_data(doc):
    return {s.dxf.handle: (s.dxf.degree, [tuple(p) for p in s.control_points],
                           [tuple(p) for p in s.fit_points], list(s.knots))
            for s in doc.modelspace().query("SPLINE")}


def mtexts_turned_by_angle(doc):
    """Handles of the MTexts whose rotation the file gives as an angle (group 50)."""
    return {e.dxf.handle for e in doc.entitydb.values()
            if e.dxftype() == "MTEXT" and e.dxf.hasattr("rotation")
            and not e.dxf.hasattr("text_direction") and e.dxf.rotation != 0}


class EzdxfDrawingThroughKzdim(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.source = os.path.join(cls.tmp.name, "ezdxf.dxf")
        cls.target = os.path.join(cls.tmp.name, "kzdim.dxf")
        build_drawing(cls.source)
        convert(cls.source, cls.target)
        cls.before = ezdxf.readfile(cls.source)
        cls.after = ezdxf.readfile(cls.target)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_written_in_the_2013_format(self):
        self.assertEqual(self.after.dxfversion, "AC1027")

    def test_every_entity_keeps_its_handle_type_layer_and_place(self):
        self.assertEqual(layouts_of(self.after), layouts_of(self.before))

    def test_every_entity_keeps_its_properties(self):
        # Whatever the source says of an entity reads back the same; values it left
        # out may now be written (an MText's zero width).
        # (MTexts turned by group 50 are the next test's.)
        before, after = attribs_of(self.before), attribs_of(self.after)
        turned = mtexts_turned_by_angle(self.before)
        for handle, values in before.items():
            self.assertIn(handle, after)
            if handle in turned:
                del values["rotation (any form)"]
            self.assertEqual({k: after[handle].get(k) for k in values}, values, handle)

    def test_mtext_turned_by_an_angle_keeps_its_angle(self):
        # Group 50 of an MText is in degrees (ezdxf's dimension texts among them).
        turned = mtexts_turned_by_angle(self.before)
        self.assertTrue(turned)
        for handle in turned:
            b = self.before.entitydb[handle].get_rotation()
            a = self.after.entitydb[handle].get_rotation()
            self.assertAlmostEqual(a % 360.0, b % 360.0, places=6, msg=handle)

    def test_attributes_are_unchanged(self):
        before = attributes_of(self.before)
        self.assertEqual(len([a for atts in before.values() for a in atts]), 6)
        self.assertEqual(attributes_of(self.after), before)

    def test_extended_data_is_unchanged_on_entities_and_block_records(self):
        before = all_xdata(self.before)
        record = self.before.block_records.get("VALVE").dxf.handle
        self.assertIn(record, before)
        self.assertEqual(all_xdata(self.after), before)

    def test_groups_keep_their_members(self):
        self.assertEqual(groups_of(self.after), groups_of(self.before))
        self.assertEqual(len(groups_of(self.after)["ROUTE"]), 3)

    def test_hatches_and_splines_are_unchanged(self):
        self.assertEqual(hatch_data(self.after), hatch_data(self.before))
        self.assertEqual(spline_data(self.after), spline_data(self.before))

    def test_layers_keep_their_state(self):
        for name in ("PIPE", "HIDDEN", "ICE"):
            b, a = self.before.layers.get(name), self.after.layers.get(name)
            self.assertEqual((a.color, a.is_off(), a.is_frozen()),
                             (b.color, b.is_off(), b.is_frozen()), name)

    def test_audit_finds_no_error(self):
        doc = ezdxf.readfile(self.target)
        self.assertEqual(audit_errors(doc), [])

    def test_a_second_round_trip_changes_nothing(self):
        again = os.path.join(self.tmp.name, "again.dxf")
        convert(self.target, again)
        with open(self.target, "rb") as a, open(again, "rb") as b:
            self.assertEqual(a.read(), b.read())


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
