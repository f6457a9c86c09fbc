"""kzdim run end to end: the test application driven through every kind of input,
transcripts compared with the expected ones, errors, saving and the options."""
import os
import subprocess
import sys
import tempfile
import unittest

BIN = os.environ.get("KZ_BIN_DIR", "build/bin")
SRC = os.environ.get("KZ_SOURCE_DIR", ".")
DATA = os.path.join(SRC, "tests", "app", "data")
KZDIM = os.path.join(BIN, "kzdim")
TEST_APP = os.path.join(BIN, "KzEdTest.arx")


def run(*args, cwd=None):
    return subprocess.run([KZDIM, *args], capture_output=True, cwd=cwd, timeout=60)


def expected(name):
    with open(os.path.join(DATA, name), encoding="utf-8") as f:
        return f.read()


class TranscriptTest(unittest.TestCase):
    def check_golden(self, script, golden, *options, status=0):
        # fixture.dxf is what TSETUP makes, saved: its handles stay as they are.
        r = run("run", os.path.join(DATA, "fixture.dxf"), "--script", os.path.join(DATA, script),
                "--load", TEST_APP, "--no-addins", *options)
        self.assertEqual(r.returncode, status, r.stderr.decode())
        self.assertEqual(r.stdout.decode("utf-8"), expected(golden))
        return r

    def test_every_kind_of_input_in_english(self):
        r = self.check_golden("editor_inputs.scr", "editor_inputs.txt", "--lang", "1033")
        self.assertEqual(r.stderr, b"")

    def test_japanese_host_stops_the_script_at_a_bad_line(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "out.dxf")
            r = self.check_golden("japanese_error.scr", "japanese_error.txt", "--out", out,
                                  status=1)
            self.assertFalse(os.path.exists(out), "a failed run must not save")
        self.assertEqual(
            r.stderr.decode("utf-8").strip().splitlines()[-1],
            "kzdim: %s:7: expected a point or a keyword (Hai/Iie), got \"上\""
            % os.path.join(DATA, "japanese_error.scr"))


class SavingTest(unittest.TestCase):
    def test_saves_to_out_and_never_over_the_input(self):
        import ezdxf
        with tempfile.TemporaryDirectory() as tmp:
            script = os.path.join(tmp, "s.scr")
            with open(script, "w", encoding="utf-8") as f:
                f.write("TLINE\n0,0\n@10,0\nTLINE\n5,5\n5,-5\n")
            first = os.path.join(tmp, "first.dxf")
            r = run("run", "new", "--script", script, "--load", TEST_APP, "--no-addins",
                    "--out", first)
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            types = sorted(e.dxftype() for e in ezdxf.readfile(first).modelspace())
            self.assertEqual(types, ["LINE", "LINE"])

            # Running on the saved drawing without --out leaves it as it was.
            with open(first, "rb") as f:
                before = f.read()
            r = run("run", first, "--script", script, "--load", TEST_APP, "--no-addins")
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            with open(first, "rb") as f:
                self.assertEqual(f.read(), before)

            second = os.path.join(tmp, "second.dxf")
            r = run("run", first, "--script", script, "--load", TEST_APP, "--no-addins",
                    "--out", second)
            self.assertEqual(r.returncode, 0)
            lines = [(e.dxf.start.x, e.dxf.end.x) for e in ezdxf.readfile(second).modelspace()]
            self.assertEqual(lines, [(0, 10), (5, 5), (0, 10), (5, 5)])


class DragTest(unittest.TestCase):
    def test_drag_moves_keywords_frames_and_the_final_picture(self):
        with tempfile.TemporaryDirectory() as tmp:
            script = os.path.join(tmp, "d.scr")
            with open(script, "w", encoding="utf-8") as f:
                f.write("TDRAG\n~10,10\nTWICE\n\n~20,5\n30,0\nTDRAG\n~1,1\n*CANCEL*\n")
            frames = os.path.join(tmp, "frames")
            svg = os.path.join(tmp, "final.svg")
            r = run("run", "new", "--script", script, "--load", TEST_APP, "--no-addins",
                    "--lang", "1033", "--frames", frames, "--svg", svg)
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            out = r.stdout.decode()
            for line in ["End point [Twice]: TWICE\ndrag: keyword TWICE\n",
                         "End point [Twice]: \ndrag: Enter\n",
                         "End point [Twice]: 30,0\ndrag: line to 30,0\n",
                         "End point [Twice]: *Cancel*\ndrag: cancelled\n"]:
                self.assertIn(line, out)
            # One frame per move and pick: ~10,10, ~20,5, 30,0 and ~1,1.
            self.assertEqual(sorted(os.listdir(frames)),
                             ["frame-%04d.svg" % i for i in range(1, 5)])
            with open(os.path.join(frames, "frame-0003.svg"), encoding="utf-8") as f:
                self.assertIn('id="x0"', f.read())  # the candidate, outside the drawing
            with open(svg, encoding="utf-8") as f:
                picture = f.read()
            self.assertEqual(picture.count('id="h'), 1)  # only the committed line
            self.assertNotIn('id="x', picture)


class ErrorsTest(unittest.TestCase):
    def one_line_error(self, r, status, text):
        self.assertEqual(r.returncode, status)
        self.assertIn(text, r.stderr.decode("utf-8"))

    def test_usage_errors(self):
        self.one_line_error(run("run"), 2, "no drawing given")
        self.one_line_error(run("run", "new", "--bogus"), 2, "unknown option '--bogus'")
        self.one_line_error(run("run", "new", "--lang", "ja"), 2, "--lang needs a decimal LCID")
        self.one_line_error(run("run", "new", "--out"), 2, "--out needs a value")
        self.one_line_error(run("shell", "new", "--script", "x"), 2, "unknown option")

    def test_unreadable_inputs(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.one_line_error(run("run", os.path.join(tmp, "none.dxf")), 1, "none.dxf")
            self.one_line_error(run("run", "new", "--script", os.path.join(tmp, "none.scr")),
                                1, "cannot read the script")
            bad = os.path.join(tmp, "bad.scr")
            with open(bad, "wb") as f:
                f.write(b"TSETUP\nOK\xff\n")
            self.one_line_error(run("run", "new", "--script", bad), 1,
                                bad + ":2: expected UTF-8 text")
            self.one_line_error(
                run("run", "new", "--no-addins", "--load", os.path.join(tmp, "none.arx")), 1,
                "could not load")

    def test_unknown_command_stops_the_script(self):
        with tempfile.TemporaryDirectory() as tmp:
            script = os.path.join(tmp, "s.scr")
            with open(script, "w", encoding="utf-8") as f:
                f.write("# nothing else\n_.NOSUCHCOMMAND\n")
            r = run("run", "new", "--script", script, "--no-addins", "--lang", "1033")
            self.one_line_error(r, 1, script + ":2: expected a command name")
            self.assertIn('Unknown command "_.NOSUCHCOMMAND".  Press F1 for help.',
                          r.stdout.decode())

    def test_missing_bundled_modules_are_mentioned_once(self):
        # The bundled modules are looked for beside kzdim; a copy of kzdim elsewhere
        # finds none of them.
        with tempfile.TemporaryDirectory() as tmp:
            copy = os.path.join(tmp, "kzdim")
            with open(KZDIM, "rb") as src, open(copy, "wb") as dst:
                dst.write(src.read())
            os.chmod(copy, 0o755)
            env = dict(os.environ, LD_LIBRARY_PATH=BIN)
            r = subprocess.run([copy, "run", "new"], capture_output=True, env=env, timeout=60)
            self.assertEqual(r.returncode, 0, r.stderr.decode())
            self.assertEqual(r.stderr.decode().count("Kelto.arx and KzDim.arx not found"), 1)


if __name__ == "__main__":
    unittest.main(verbosity=1)
