"""The bundled script of the main job runs on the bundled drawing and gives the chains it
describes, sized by the drawing scale."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kzdim"))
import kzdim_session  # noqa: E402

SCRIPT = os.path.join(kzdim_session.SOURCE_DIR, "samples", "scripts", "make-dimensions.scr")


class MakeDimensionsScriptTest(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_session.Session()

    def tearDown(self):
        self.s.close()

    def test_script_dimensions_pipe_riser_duct_and_points(self):
        with open(SCRIPT, encoding="utf-8") as f:
            lines = f.read().splitlines()
        r = self.s.run(lines, options=("--scale", "30"))
        self.assertEqual(r.returncode, 0, r.transcript[-2000:] + r.stderr)
        doc = r.doc
        new = [d for d in doc.modelspace().query("DIMENSION")
               if d.dxf.handle not in {"7D", "8C", "9C", "A9"}]
        measured = sorted(round(d.get_measurement(), 6) for d in new)
        self.assertEqual(measured, [75.0, 1000.0, 1200.0, 1500.0, 2000.0, 2500.0])
        for d in new:
            self.assertAlmostEqual(d.override().get("dimscale"), 30.0)
            self.assertAlmostEqual(d.override().get("dimtxt"), 3.0)
        riser = [d for d in new if round(d.get_measurement()) == 1500][0]
        self.assertAlmostEqual(riser.dxf.angle, 90.0)
        self.assertEqual(kzdim_session.links(riser), ["6C"])
        self.assertFalse(doc.audit().has_errors)

    def test_settings_palette_and_handle_script(self):
        with open(os.path.join(kzdim_session.SOURCE_DIR, "samples", "scripts",
                               "settings-palette-handle.scr"), encoding="utf-8") as f:
            r = self.s.run(f.read().splitlines(), save=False)
        self.assertEqual(r.returncode, 0, r.transcript[-2000:] + r.stderr)
        stored = self.s.ini_section("寸法線")
        self.assertEqual((stored["文字高さ"], stored["寸法線色"], stored["補助線固定"],
                          stored["補助線長さ"], stored["アイソメ寸法"]), ("3", "1", "1", "12.0", "0"))
        # The second settings dialog (from the palette) shows the stored values.
        second = r.transcript.split("Dialog 212 closed")[1]
        self.assertIn('200 edit 文字高さ: "3"', second)
        self.assertIn("231 check 補助線長さを固定: 1", second)
        lists = [[l.split("= ")[1] for l in part.split("コマンド:")[0].splitlines()
                  if "Handle = " in l] for part in r.transcript.split("コマンド: LIST")[1:]]
        self.assertEqual(lists, [["61"], ["9C"]])

    def test_kzdim_demo_runs_every_bundled_script(self):
        import ezdxf
        out = os.path.join(self.s.folder, "demo")
        r = subprocess.run([kzdim_session.KZDIM, "demo", out], capture_output=True, timeout=300)
        self.assertEqual(r.returncode, 0, r.stdout.decode() + r.stderr.decode())
        made = ezdxf.readfile(os.path.join(out, "make-dimensions.dxf"))
        self.assertEqual(len(made.modelspace().query("DIMENSION")), 4 + 6)
        self.assertTrue(os.listdir(os.path.join(out, "frames")))
        for name in ("edit-text", "edit-xline", "move-length"):
            self.assertFalse(ezdxf.readfile(os.path.join(out, name + ".dxf")).audit().has_errors)
            with open(os.path.join(out, name + ".svg"), encoding="utf-8") as f:
                self.assertIn("<svg", f.read())
        with open(os.path.join(out, "move-length.txt"), encoding="utf-8") as f:
            self.assertIn("KZ_REJOB1: ", f.read())
        r = subprocess.run([kzdim_session.KZDIM, "demo", "a", "b"], capture_output=True, timeout=60)
        self.assertEqual(r.returncode, 2)

    def test_scale_must_be_a_positive_number(self):
        for bad in ("0", "-3", "abc", "nan"):
            r = subprocess.run([kzdim_session.KZDIM, "run", "new", "--scale", bad],
                               capture_output=True, timeout=60)
            self.assertEqual(r.returncode, 2, bad)
            self.assertIn("--scale needs a positive number", r.stderr.decode())


if __name__ == "__main__":
    unittest.main()
