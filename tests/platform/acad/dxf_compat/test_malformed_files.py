"""Malformed drawings make kzdim convert (and render) fail with one line that names the
file and the line, write nothing, and never crash."""
import os
import sys
import tempfile
import unittest

import ezdxf

from compat_support import run_kzdim


def good_drawing_text():
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    for i in range(20):
        msp.add_line((0, i), (10, i))
    msp.add_text("hello", dxfattribs={"height": 2.5})
    stream = __import__("io").StringIO()
    doc.write(stream)
    return stream.getvalue()


def line_of(text, needle, start=0):
    """The 1-based line number of the first line equal to needle (stripped) from the
    line index start on."""
    lines = text.split("\n")
    for i in range(start, len(lines)):
        if lines[i].strip() == needle:
            return i + 1
    raise ValueError(needle)


class MalformedDrawings(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.good = good_drawing_text()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def fails(self, name, content, line=None, mention=None):
        """Converts content; expects a one-line error naming the file (and the line),
        no output, and an ordinary exit."""
        path = os.path.join(self.tmp.name, name)
        mode = "wb" if isinstance(content, bytes) else "w"
        with open(path, mode) as f:
            f.write(content)
        for command in (["convert", path, "--out"], ["render", path, "--svg"]):
            out = os.path.join(self.tmp.name, "out-" + name)
            run = run_kzdim(*command, out)
            with self.subTest(command=command[0]):
                self.assertGreater(run.returncode, 0, run.stderr)  # negative: a signal
                self.assertLess(run.returncode, 128, run.stderr)
                self.assertFalse(os.path.exists(out))
                self.assertFalse([f for f in os.listdir(self.tmp.name) if "out-" in f])
                errors = [l for l in run.stderr.splitlines() if not l.startswith("kzdim: warning")]
                self.assertEqual(len(errors), 1, run.stderr)
                self.assertIn(name, errors[0])
                if line is not None:
                    self.assertIn("%s:%d:" % (name, line), errors[0])
                if mention is not None:
                    self.assertIn(mention, errors[0])
        return errors[0]

    def test_the_good_drawing_converts(self):
        path = os.path.join(self.tmp.name, "good.dxf")
        with open(path, "w") as f:
            f.write(self.good)
        out = os.path.join(self.tmp.name, "good-out.dxf")
        self.assertEqual(run_kzdim("convert", path, "--out", out).returncode, 0)
        self.assertEqual(len(ezdxf.readfile(out).modelspace().query("LINE")), 20)
        os.remove(out)

    def test_truncated_in_the_middle_of_the_entities(self):
        cut = self.good[: self.good.index("ENTITIES") + 400]
        cut = cut[: cut.rindex("\n") + 1]
        self.fails("truncated.dxf", cut)

    def test_truncated_half_way_through_a_pair(self):
        # The last group code has no value line.
        cut = self.good[: self.good.index("ENTITIES") + 400]
        cut = cut[: cut.rindex("\n") + 1]
        lines = cut.split("\n")
        if lines[-2].strip().lstrip("-").isdigit():
            cut = "\n".join(lines[:-2]) + "\n"
        cut += "  0\n"
        self.fails("halfpair.dxf", cut)

    def test_group_code_that_is_not_a_number(self):
        at = line_of(self.good, "ENTITIES")
        lines = self.good.split("\n")
        lines.insert(at + 6, "1O")  # a letter O, then its value
        lines.insert(at + 7, "value")
        self.fails("oddcode.dxf", "\n".join(lines), line=at + 7, mention="1O")

    def test_missing_endsec(self):
        text = self.good
        entities = text.index("ENTITIES")
        endsec = text.index("\n  0\nENDSEC\n", entities)
        text = text[:endsec + 1] + text[endsec + len("\n  0\nENDSEC\n"):]
        self.fails("noendsec.dxf", text, mention="ENDSEC")

    def test_value_of_the_wrong_type(self):
        lines = self.good.split("\n")
        at = line_of(self.good, "LINE", line_of(self.good, "ENTITIES"))
        # The first x coordinate of the first line.
        i = at
        while lines[i].strip() != "10":
            i += 1
        lines[i + 1] = "twelve"
        # Errors in a value name the line where its pair starts (the group code's).
        self.fails("wrongtype.dxf", "\n".join(lines), line=i + 1, mention="twelve")

    def test_ten_megabyte_line(self):
        lines = self.good.split("\n")
        at = line_of(self.good, "hello")
        lines[at - 1] = "x" * (10 * 1024 * 1024)
        message = self.fails("hugeline.dxf", "\n".join(lines), line=at)
        self.assertLess(len(message), 500)

    def test_binary_garbage(self):
        self.fails("garbage.dxf", bytes(range(256)) * 64)

    def test_empty_file(self):
        self.fails("empty.dxf", "")


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
