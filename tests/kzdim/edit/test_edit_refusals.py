"""The editing commands given input they cannot use: cancels at every stage, scripts
that end inside a command, selections without (rotated, linked) dimensions, and the
route length edit's refusals with their messages. Each leaves the drawing as it was."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from kzdim_session import SAMPLE, Session, dimtmove, strings  # noqa: E402

import ezdxf  # noqa: E402

TEXT_PROMPT = "寸法文字移動 ｵﾌﾟｼｮﾝ"
BASE_PROMPT = "\n基点: "
SEVERAL = "\n複数のｵﾌﾞｼﾞｪｸﾄに接続されている寸法線は対象外です。\n"
NOT_EDITABLE = "[stop] kzdim: この経路の編集は対象外です。"
MISMATCH = "[stop] kzdim: 寸法値と経路の長さ一致しません。"


def state(doc):
    """What the editing commands may change, per handle: dimension geometry, text
    position and setting, links; element placement and links; the route group."""
    out = {}
    for e in doc.modelspace():
        links = {app: strings(e, app) for app in ("KZ_DIMENSION", "KZ_LINK")}
        if e.dxftype() == "DIMENSION":
            geometry = [tuple(round(c, 6) for c in e.dxf.get(name))
                        for name in ("defpoint", "defpoint2", "defpoint3", "text_midpoint")]
            out[e.dxf.handle] = (geometry, dimtmove(e) == 2, links)
        elif e.dxftype() == "INSERT":
            out[e.dxf.handle] = (tuple(e.dxf.insert), e.dxf.xscale, e.dxf.rotation, links)
        else:
            out[e.dxf.handle] = e.dxftype()
    out["groups"] = {name: sorted(m.dxf.handle for m in g) for name, g in doc.groups}
    return out


class RefusalTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.before = state(ezdxf.readfile(SAMPLE))

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def assertUnchanged(self, run, before=None):
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIsNotNone(run.doc, "the run did not save")
        self.assertEqual(state(run.doc), before or self.before)

    def test_cancels_and_scripts_ending_inside_a_command(self):
        scripts = {
            "text move cancelled in the drag":
                ["KZ_DIM_EDITTEXT", "#7D", "#9C", "", "~1500,900", "FO", "~1600,100",
                 "*CANCEL*"],
            "text move ended by Enter in the drag": ["KZ_DIM_EDITTEXT", "#7D", "", "~0,0", ""],
            "text move, script ends in the drag": ["KZ_DIM_EDITTEXT", "#7D", "", "~0,0"],
            "text move cancelled at the selection": ["KZ_DIM_EDITTEXT", "#7D", "*CANCEL*"],
            "alignment cancelled at the base point":
                ["KZ_DIM_EDITXLINE", "#7D", "#9C", "", "*CANCEL*"],
            "alignment, script ends at the base point": ["KZ_DIM_EDITXLINE", "#7D", ""],
            "length edit cancelled at the selection": ["KZ_DIM_MOVE", "*CANCEL*"],
            "length popup cancelled": ["KZ_DIM_MOVE", "#7D", "200=2500", "CANCEL"],
            "length popup left by the end of the script": ["KZ_DIM_MOVE", "#7D", "200=2500"],
        }
        for name, lines in scripts.items():
            with self.subTest(name):
                run = self.session.run(lines)
                self.assertUnchanged(run)
                self.assertNotIn("KZ_REJOB1", run.transcript)
        # A drag that never picked leaves no dimension with its text set free.
        run = self.session.run(scripts["text move cancelled in the drag"])
        self.assertIn(TEXT_PROMPT, run.transcript)

    def test_selections_without_usable_dimensions(self):
        handles = {}

        def add_other_dimensions(doc):
            msp = doc.modelspace()
            aligned = msp.add_aligned_dim(p1=(0, -2000), p2=(1000, -1500), distance=200)
            aligned.render()
            aligned.dimension.dxf.dimtype = 1 | 32  # aligned, not rotated
            handles["aligned"] = aligned.dimension.dxf.handle
            plain = msp.add_linear_dim(base=(0, -2600), p1=(0, -3000), p2=(1000, -3000))
            plain.render()
            handles["plain"] = plain.dimension.dxf.handle  # a rotated one without links

        drawing = self.session.changed_sample(add_other_dimensions)
        before = state(ezdxf.readfile(drawing))
        aligned, plain = "#" + handles["aligned"], "#" + handles["plain"]

        # Lines and a note are filtered out: no drag starts.
        run = self.session.run(["KZ_DIM_EDITTEXT", "#78", "#79", "#7B", ""], drawing)
        self.assertUnchanged(run, before)
        self.assertEqual(run.transcript.count("1 個はフィルタで除外されました。"), 3)
        self.assertNotIn(TEXT_PROMPT, run.transcript)
        # An aligned dimension is a dimension but not a rotated one: no drag, no base
        # point prompt.
        run = self.session.run(["KZ_DIM_EDITTEXT", aligned, "", "KZ_DIM_EDITXLINE", aligned, ""],
                               drawing)
        self.assertUnchanged(run, before)
        self.assertNotIn(TEXT_PROMPT, run.transcript)
        self.assertNotIn(BASE_PROMPT, run.transcript)
        # Beside a rotated one it is passed over: only the rotated one is aligned.
        run = self.session.run(["KZ_DIM_EDITXLINE", aligned, "#7D", "", "0,-500"], drawing)
        self.assertEqual(run.returncode, 0, run.stderr)
        moved = run.entity("7D").dxf.defpoint2
        self.assertAlmostEqual(moved.x, 0, places=6)
        self.assertAlmostEqual(moved.y, -500, places=6)
        after = state(run.doc)
        self.assertEqual(after[handles["aligned"]], before[handles["aligned"]])
        # The length edit selects only dimensions with links: an unlinked one and a
        # line are not taken, and the prompt comes again.
        run = self.session.run(["KZ_DIM_MOVE", plain, "#78", "*CANCEL*"], drawing)
        self.assertUnchanged(run, before)
        self.assertEqual(run.transcript.count("\n経路寸法を選択:"), 3)
        self.assertNotIn("Dialog 211", run.transcript)

    def test_length_edit_refusals(self):
        def several_links(doc):
            # 7D names two elements over a pipe; A9 two over a rectangular duct.
            doc.entitydb["7D"].set_xdata("KZ_DIMENSION", [(1000, "61"), (1000, "69")])
            doc.entitydb["A9"].set_xdata("KZ_DIMENSION", [(1000, "73"), (1000, "61")])
            for attrib in doc.entitydb["6C"].attribs:
                if attrib.dxf.tag == "S402":
                    attrib.dxf.text = "1"

        drawing = self.session.changed_sample(several_links)
        before = state(ezdxf.readfile(drawing))
        # Several links over a pipe: refused with the message, the prompt comes again;
        # 6C may not be edited (S402 is 1): the message box ends the command.
        run = self.session.run(["KZ_DIM_MOVE", "#7D", "#9C"], drawing)
        self.assertUnchanged(run, before)
        self.assertEqual(run.transcript.count(SEVERAL), 1)
        self.assertIn(SEVERAL + "\n経路寸法を選択:#9C\n", run.transcript)
        self.assertIn(NOT_EDITABLE, run.transcript)
        self.assertNotIn("Dialog 211", run.transcript)
        # Several links over a rectangular duct are accepted: the popup opens.
        run = self.session.run(["KZ_DIM_MOVE", "#A9", "CANCEL"], drawing)
        self.assertUnchanged(run, before)
        self.assertNotIn(SEVERAL, run.transcript)
        self.assertIn('Dialog 211\n  200 edit: "2500"\n', run.transcript)

        # A measurement 0.25 off the pipe's length is refused before the popup.
        def off(doc):
            doc.entitydb["7D"].dxf.defpoint3 = (2000.25, 0, 0)
        drawing = self.session.changed_sample(off)
        run = self.session.run(["KZ_DIM_MOVE", "#7D"], drawing)
        self.assertUnchanged(run, state(ezdxf.readfile(drawing)))
        self.assertIn(MISMATCH, run.transcript)
        self.assertNotIn("[draw polygon", run.transcript)

    def test_oblique_route_needs_a_parallel_dimension(self):
        # Pipe 6C turned to 30 degrees; its dimension 9C turned to 30.05 is accepted,
        # to 210 (the same line, the other way) it is refused.
        def turn(rotation):
            def change(doc):
                doc.entitydb["6C"].dxf.rotation = 30
                dim = doc.entitydb["9C"]
                dim.dxf.angle = rotation
                a = math.radians(30)
                dim.dxf.defpoint2 = (2075, 75, 0)
                dim.dxf.defpoint3 = (2075 + 1500 * math.cos(a), 75 + 1500 * math.sin(a), 0)
            return change

        run = self.session.run(["KZ_DIM_MOVE", "#9C", "CANCEL"],
                               self.session.changed_sample(turn(30.05)))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertNotIn("[stop]", run.transcript)
        self.assertIn('Dialog 211\n  200 edit: "1500"\n', run.transcript)
        run = self.session.run(["KZ_DIM_MOVE", "#9C"], self.session.changed_sample(turn(210)))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn(NOT_EDITABLE, run.transcript)
        self.assertNotIn("Dialog 211", run.transcript)


if __name__ == "__main__":
    unittest.main(verbosity=2)
