"""KZ_DIM_MAKE on the sample drawing: the chain placed above or below the pipe run, the
links written both ways, point mode, the placement options, cancelling, and the preview
pictures of the drag."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import kzdim_session  # noqa: E402
from kzdim_session import links  # noqa: E402

OLD_DIMS = {"7D", "8C", "9C", "A9"}
PIPE_RUN = ["#61", "#69", "#6C", ""]


def new_dims(doc):
    return sorted((d for d in doc.modelspace().query("DIMENSION")
                   if d.dxf.handle not in OLD_DIMS), key=lambda d: d.dxf.defpoint2.x)


def dstyle(dim):
    """The dimension-variable overrides of a dimension, by group code."""
    tags = [value for code, value in dim.get_xdata("ACAD")]
    return {tags[i]: tags[i + 1] for i in range(2, len(tags) - 1, 2) if tags[i] != "}"}


def measure(dim):
    return dim.get_measurement()


class MakeCommandTest(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_session.Session()

    def tearDown(self):
        self.s.close()

    def make(self, picks, placement):
        r = self.s.run(["KZ_DIM_MAKE", *picks, *placement])
        self.assertEqual(r.returncode, 0, r.transcript + r.stderr)
        return r, r.doc

    def test_pipe_run_above_is_dimensioned_and_linked_both_ways(self):
        r, doc = self.make(PIPE_RUN, ["~1000,400", "1000,500"])
        dims = new_dims(doc)
        # The elbow is dropped (it connects picked pipes); the vertical pipe measures
        # nothing across a horizontal chain: the pipe and the gap up to the riser remain.
        self.assertEqual([round(measure(d), 6) for d in dims], [2000.0, 75.0])
        for d in dims:
            self.assertEqual(d.dxf.layer, "KZ_DIM")
            self.assertAlmostEqual(d.dxf.angle, 0.0)
            self.assertAlmostEqual(d.dxf.defpoint.y, 500.0)  # the dimension line
        self.assertEqual(links(dims[0]), ["61"])
        self.assertEqual(links(dims[1]), ["61", "6C"])
        pipe, riser = doc.entitydb["61"], doc.entitydb["6C"]
        self.assertEqual(links(pipe), ["7D", dims[0].dxf.handle, dims[1].dxf.handle])
        self.assertEqual(links(riser), ["9C", dims[1].dxf.handle])
        self.assertFalse(doc.audit().has_errors)

    def test_the_second_dimension_of_a_chain_drops_its_shared_end(self):
        _, doc = self.make(PIPE_RUN, ["~1000,400", "1000,500"])
        pipe, gap = sorted(new_dims(doc), key=measure, reverse=True)
        self.assertEqual(dstyle(pipe).get(75, 0), 0)  # DIMSE1
        self.assertEqual(dstyle(gap)[75], 1)
        self.assertEqual(doc.entitydb[dstyle(gap)[343]].dxf.name, "_NONE")  # DIMBLK1
        self.assertNotEqual(doc.entitydb[dstyle(pipe)[343]].dxf.name, "_NONE")

    def test_duct_width_on_its_side_and_gaps_under_one_unit(self):
        # A lone duct seen from its left: the chain (0, w/2), (0, -w/2), (L, -w/2) gives
        # the width across and the length along; only the width is shown on side 1.
        _, doc = self.make(["#73", ""], ["~-600,-1200", "-600,-1200"])
        (width,) = new_dims(doc)
        self.assertAlmostEqual(measure(width), 400.0)
        self.assertAlmostEqual(width.dxf.defpoint2.y, -1000.0)
        self.assertAlmostEqual(width.dxf.defpoint3.y, -1400.0)
        self.assertEqual(links(width), ["73"])
        # Two free points measure 0.9: hidden, nothing added; 1.0: added, without links.
        _, doc = self.make(["OP", "0,-3000", "0.9,-3000", ""], ["~0,-2900", "0,-2900"])
        self.assertEqual(new_dims(doc), [])
        _, doc = self.make(["OP", "0,-3000", "1,-3000", ""], ["~0,-2900", "0,-2900"])
        (gap,) = new_dims(doc)
        self.assertAlmostEqual(measure(gap), 1.0)
        self.assertFalse(gap.has_xdata("KZ_DIMENSION"))

    def test_commits_append_in_order_and_prune_names_of_missing_objects(self):
        import ezdxf
        doc = ezdxf.readfile(kzdim_session.SAMPLE)
        doc.entitydb["61"].set_xdata("KZ_DIMENSION", [(1000, "7D"), (1000, "FFFF0")])
        start = os.path.join(self.s.folder, "dangling.dxf")
        doc.saveas(start)
        r = self.s.run(["KZ_DIM_MAKE", "#61", "", "~1000,400", "1000,500",
                        "KZ_DIM_MAKE", "#61", "", "~1000,400", "1000,700"], drawing=start)
        self.assertEqual(r.returncode, 0, r.stderr)
        doc = r.doc
        made = sorted(new_dims(doc), key=lambda d: d.dxf.defpoint.y)
        self.assertEqual(len(made), 2)
        self.assertEqual(links(doc.entitydb["61"]), ["7D"] + [d.dxf.handle for d in made])

    def test_elements_picked_right_to_left_are_chained_left_to_right(self):
        # A drawing made by ezdxf: three more 2000 pipes in a row at y = 3000, with the
        # route data of the sample's pipe.
        import ezdxf
        doc = ezdxf.readfile(kzdim_session.SAMPLE)
        msp = doc.modelspace()
        pipes = []
        for x in (0, 2000, 4000):
            ref = msp.add_blockref("P50-2000", (x, 3000), dxfattribs={"layer": "PIPE"})
            ref.set_xdata("KZ_LINK", [(1000, "1|||01||0|")])
            ref.add_attrib("S121", "50A", (x + 1000, 3050))
            pipes.append(ref.dxf.handle)
        start = os.path.join(self.s.folder, "row.dxf")
        doc.saveas(start)
        r = self.s.run(["KZ_DIM_MAKE", *["#" + h for h in reversed(pipes)], "",
                        "~3000,3500", "3000,3500"], drawing=start)
        self.assertEqual(r.returncode, 0, r.transcript[-1500:] + r.stderr)
        made = [d for d in r.doc.modelspace().query("DIMENSION")
                if d.dxf.handle not in OLD_DIMS]
        # Added in chain order: handles grow from left to right.
        self.assertEqual(len(made), 3)
        made.sort(key=lambda d: int(d.dxf.handle, 16))
        self.assertEqual([round(min(d.dxf.defpoint2.x, d.dxf.defpoint3.x)) for d in made],
                         [0, 2000, 4000])
        self.assertEqual([links(d) for d in made], [[h] for h in pipes])

    def test_cursor_below_the_run_puts_the_chain_below(self):
        _, doc = self.make(PIPE_RUN, ["~1000,400", "~1000,-300", "1000,-300"])
        dims = new_dims(doc)
        self.assertEqual(len(dims), 2)
        for d in dims:
            self.assertAlmostEqual(d.dxf.defpoint.y, -300.0)
            self.assertAlmostEqual(d.dxf.angle, 0.0)

    def test_cancelling_the_drag_adds_nothing(self):
        r = self.s.run(["KZ_DIM_MAKE", *PIPE_RUN, "~1000,400", "*CANCEL*"])
        self.assertEqual(r.returncode, 0, r.stderr)
        doc = r.doc
        self.assertEqual(new_dims(doc), [])
        self.assertEqual(links(doc.entitydb["61"]), ["7D"])

    def test_point_mode_dimensions_between_picked_points(self):
        _, doc = self.make(["OP", "0,-2500", "500,-2500", "1200,-2500", ""],
                           ["~600,-2000", "600,-2000"])
        dims = new_dims(doc)
        self.assertEqual([round(measure(d), 6) for d in dims], [500.0, 700.0])
        for d in dims:
            self.assertAlmostEqual(d.dxf.defpoint.y, -2000.0)

    def test_a_fixed_angle_from_a_picked_line_turns_the_chain(self):
        # PO on the vertical wall: every dimension measures vertically; the horizontal
        # pipe measures nothing and is hidden.
        _, doc = self.make(PIPE_RUN, ["PO", "3400,0", "~2500,800", "2500,800"])
        dims = new_dims(doc)
        self.assertTrue(dims)
        for d in dims:
            self.assertAlmostEqual(math.radians(d.dxf.angle) % math.pi, math.pi / 2)
        self.assertEqual(sorted(round(measure(d), 6) for d in dims), [75.0, 1500.0])

    def test_aligned_on_a_line_and_extension_lines_from_a_base_point(self):
        # JO: the dimension line lies on the picked line's start whatever the cursor.
        _, doc = self.make(PIPE_RUN, ["JO", "1000,-1700", "~1000,400", "1000,900"])
        self.assertEqual(len(new_dims(doc)), 2)
        for d in new_dims(doc):
            self.assertAlmostEqual(d.dxf.defpoint.y, -1700.0)
        # XO: every extension line starts on the line through the base point.
        _, doc = self.make(PIPE_RUN, ["XO", "0,300", "~1000,400", "1000,600"])
        dims = new_dims(doc)
        self.assertEqual(len(dims), 2)
        for d in dims:
            self.assertAlmostEqual(d.dxf.defpoint2.y, 300.0)
            self.assertAlmostEqual(d.dxf.defpoint3.y, 300.0)

    def test_options_are_switched_off_and_on_without_losing_their_point(self):
        def origins(placement):
            _, doc = self.make(PIPE_RUN, placement)
            return sorted({round(p.y, 6) for d in new_dims(doc)
                           for p in (d.dxf.defpoint2, d.dxf.defpoint3)})
        # D turns XO off: the extension lines start at the route again (y 0), the one
        # that would run up along the riser at its foot on the dimension line (y 600).
        self.assertEqual(origins(["XO", "0,300", "XO", "D", "~1000,400", "1000,600"]),
                         [0.0, 600.0])
        # E turns it on again with the point given before.
        self.assertEqual(origins(["XO", "0,300", "XO", "D", "XO", "E", "1000,600"]), [300.0])
        # E on an option that never had a point does nothing.
        self.assertEqual(origins(["XO", "E", "~1000,400", "1000,600"]), [0.0, 600.0])

    def test_preview_frames_follow_the_cursor(self):
        frames = os.path.join(self.s.folder, "frames")
        r = self.s.run(["KZ_DIM_MAKE", *PIPE_RUN, "~1000,400", "~1000,-300", "1000,-300"],
                       options=("--frames", frames))
        self.assertEqual(r.returncode, 0, r.stderr)
        pictures = sorted(os.listdir(frames))
        self.assertGreaterEqual(len(pictures), 2)
        with open(os.path.join(frames, pictures[0]), encoding="utf-8") as f:
            first = f.read()
        with open(os.path.join(frames, pictures[-1]), encoding="utf-8") as f:
            last = f.read()
        self.assertIn("<svg", first)
        self.assertNotEqual(first, last)  # the chain moved to the other side


if __name__ == "__main__":
    unittest.main()
