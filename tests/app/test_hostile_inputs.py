"""Hostile input through kzdim: damaged drawings, scripts, values and ini files, and
saves that cannot succeed. Nothing crashes or hangs, every failure is one message that
says where and what was expected, the input drawing never changes, and an output is
complete or not there."""
import hashlib
import os
import random
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kzdim"))
import kzdim_session  # noqa: E402

KZDIM = kzdim_session.KZDIM
SAMPLE = kzdim_session.SAMPLE


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def sample_text():
    with open(SAMPLE, encoding="utf-8") as f:
        return f.read()


class Hostile(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_session.Session()
        self.sample_digest = digest(SAMPLE)

    def tearDown(self):
        self.assertEqual(digest(SAMPLE), self.sample_digest, "the input drawing changed")
        self.s.close()

    def drawing(self, name, content):
        path = os.path.join(self.s.folder, name)
        with open(path, "wb" if isinstance(content, bytes) else "w") as f:
            f.write(content)
        return path

    def kzdim(self, *args):
        proc = subprocess.run([KZDIM, *args], capture_output=True, timeout=120)
        self.assertGreaterEqual(proc.returncode, 0, "killed by a signal: %s" % proc.stderr)
        self.assertLess(proc.returncode, 128, proc.stderr)
        self.assertNotIn(b"Sanitizer", proc.stderr)
        return proc

    def refused(self, r, *mentions):
        """A run that failed with one error line mentioning each text, and saved nothing."""
        self.assertEqual(r.returncode, 1, r.transcript + r.stderr)
        errors = [l for l in r.stderr.splitlines() if not l.startswith("kzdim: warning")]
        self.assertEqual(len(errors), 1, r.stderr)
        for m in mentions:
            self.assertIn(m, errors[0])
        self.assertFalse(os.path.exists(r.out), "a failed run must not save")
        return errors[0]


class DamagedDrawings(Hostile):
    def test_a_truncated_drawing_names_the_line_and_what_was_expected(self):
        text = sample_text()
        cut = text[: text.index("ENTITIES") + 3000]
        cut = cut[: cut.rindex("\n") + 1]
        path = self.drawing("cut.dxf", cut)
        before = digest(path)
        r = self.s.run(["LIST", ""], drawing=path)
        error = self.refused(r, "cut.dxf:")
        self.assertRegex(error, r"cut\.dxf:\d+: .*(expected|not closed|ends in the middle)")
        self.assertEqual(digest(path), before)

    def test_binary_garbage_and_a_value_cut_in_half_are_refused(self):
        rng = random.Random(8)
        garbage = bytes(rng.randrange(256) for _ in range(20000))
        self.refused(self.s.run(["LIST", ""], drawing=self.drawing("noise.dxf", garbage)),
                     "noise.dxf")
        # The pair structure ends in the middle: a group code without its value.
        text = sample_text()
        end = text.index("\n", text.index("ENTITIES") + 500)
        self.refused(self.s.run(["LIST", ""], drawing=self.drawing("half.dxf", text[:end + 1])),
                     "half.dxf")

    def test_points_that_are_not_finite_are_refused_with_their_line(self):
        text = sample_text()
        at = text.index("\n 10\n", text.index("ENTITIES"))
        line = text[:at].count("\n") + 2  # the tag: its group code line
        for bad in ("nan", "inf", "-inf", "1e999"):
            with self.subTest(value=bad):
                value_end = text.index("\n", at + 5)
                broken = text[: at + 5] + bad + text[value_end:]
                r = self.s.run(["LIST", ""], drawing=self.drawing("nan.dxf", broken))
                self.refused(r, "nan.dxf:%d:" % line, '"%s" is not a number' % bad)

    def test_a_5000_character_text_survives_a_save(self):
        import ezdxf
        doc = ezdxf.new("R2013")
        doc.modelspace().add_text("あ" + "x" * 4999, dxfattribs={"height": 2.5})
        path = os.path.join(self.s.folder, "long.dxf")
        doc.saveas(path)
        out = os.path.join(self.s.folder, "long-out.dxf")
        self.assertEqual(self.kzdim("convert", path, "--out", out).returncode, 0)
        texts = ezdxf.readfile(out).modelspace().query("TEXT")
        self.assertEqual(texts[0].dxf.text, "あ" + "x" * 4999)


class HostileScripts(Hostile):
    def test_points_that_are_not_finite_are_not_points(self):
        for bad in ("1e999,0", "nan,0", "0,inf", "1e308,1e308,1e999", "@1e999<0"):
            with self.subTest(point=bad):
                r = self.s.run(["KZ_DIM_MAKE", "OP", bad])
                self.refused(r, ":3:", bad)

    def test_a_handle_that_names_nothing_selects_nothing(self):
        r = self.s.run(["KZ_DIM_HANDLE", "#FFFFFFF", "", "LIST", ""], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertNotIn("Handle = ", r.transcript)
        # Too long for a handle: not one at all.
        r = self.s.run(["LIST", "#" + "F" * 17], save=False)
        self.assertEqual(r.returncode, 1)

    def test_a_5000_character_line_is_reported_without_a_hang(self):
        long_line = "KZ_DIM_MAKE" + "x" * 5000
        r = self.s.run([long_line])
        error = self.refused(r, ":1:")
        self.assertLess(len(error), 400, "the message quotes the line, shortened")

    def test_full_width_digits_in_a_dialog_field_keep_the_dialog_open(self):
        # As the host's dialogs do: "Enter a number.", and the dialog waits for a
        # number it can read; huge values are no numbers either.
        r = self.s.run(["KZ_DIM_CONFIG", "200=\uff13\uff0e\uff12\uff15", "OK",
                        "200=1e999", "OK", "200=3.25", "OK"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.transcript.count("数値を入力してください。"), 2, r.transcript)
        self.assertEqual(r.transcript.count("Dialog 200 closed"), 1)
        self.assertEqual(self.s.ini_section("寸法線")["文字高さ"], "3.25")


class DamagedSettings(Hostile):
    def make(self):
        with open(os.path.join(kzdim_session.SOURCE_DIR, "samples", "scripts", "make-dimensions.scr"),
                  encoding="utf-8") as f:
            lines = [l for l in f.read().splitlines() if not (l + " ").startswith("# ")]
        # Without the settings dialog: the values come from the ini file.
        return self.s.run(lines[4:], options=("--scale", "30"))

    def test_values_that_are_not_finite_keep_their_defaults(self):
        for key in ("文字高さ", "黒丸サイズ", "文字はなれ量", "補助線長さ", "矢印タイプ"):
            self.s.set_ini("寸法線", key, "1e999")
        self.s.set_ini("寸法線", "文字縦横比", "nan")
        r = self.make()
        self.assertEqual(r.returncode, 0, r.stderr)
        with open(r.out, encoding="utf-8") as f:
            saved = f.read().lower()
        self.assertNotIn("nan", saved.split())
        self.assertNotIn("inf", saved.split())
        dims = r.doc.modelspace().query("DIMENSION")
        self.assertGreater(len(dims), 0)

    def test_an_ini_file_of_garbage_or_cut_utf16_does_not_stop_the_module(self):
        rng = random.Random(3)
        damaged = {
            "noise": bytes(rng.randrange(256) for _ in range(4000)),
            "utf16-odd": "\ufeff[寸法線]\r\n文字高さ=2".encode("utf-16-le")[:-1],
            "nul": b"[\x00\x00]\r\n=\x00=\r\n[LANGUAGE\r\nLCID=1041\x00",
        }
        for name, content in damaged.items():
            with self.subTest(ini=name):
                with open(self.s.ini, "wb") as f:
                    f.write(content)
                r = self.make()
                self.assertEqual(r.returncode, 0, r.stderr)
                self.assertGreater(len(r.doc.modelspace().query("DIMENSION")), 0)


class BrokenLinks(Hostile):
    def test_link_lists_naming_erased_and_missing_objects(self):
        import ezdxf
        doc = ezdxf.readfile(SAMPLE)
        dim = doc.entitydb["7D"]
        links = kzdim_session.links(dim)
        self.assertEqual(links, ["61"])
        dim.set_xdata("KZ_DIMENSION", [(1000, "61"), (1000, "FFFFF"), (1000, "zz")])
        doc.modelspace().delete_entity(doc.entitydb["61"])
        path = os.path.join(self.s.folder, "links.dxf")
        doc.saveas(path)
        r = self.s.run(["KZ_DIM_HANDLE", "#7D", "", "LIST", ""], drawing=path, save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertNotIn("Handle = 61", r.transcript)
        audit = self.kzdim("audit", path)
        self.assertEqual(audit.returncode, 1)
        report = audit.stdout.decode("utf-8")
        self.assertEqual(report.count("A103 error: DIMENSION 7D"), 3, report)


class FailedSaves(Hostile):
    def test_a_missing_folder_and_a_read_only_file_leave_nothing_behind(self):
        missing = os.path.join(self.s.folder, "no", "such", "out.dxf")
        r = self.kzdim("convert", SAMPLE, "--out", missing)
        self.assertEqual(r.returncode, 1)
        self.assertIn(b"does not exist", r.stderr)
        self.assertFalse(os.path.exists(os.path.dirname(missing)))

        locked = os.path.join(self.s.folder, "locked.dxf")
        with open(locked, "w") as f:
            f.write("old\n")
        os.chmod(locked, stat.S_IRUSR)
        try:
            r = self.kzdim("convert", SAMPLE, "--out", locked)
            self.assertEqual(r.returncode, 1)
            self.assertIn(b"read-only", r.stderr)
            with open(locked) as f:
                self.assertEqual(f.read(), "old\n")
            self.assertEqual(sorted(os.listdir(self.s.folder)), ["ini", "locked.dxf"])
        finally:
            os.chmod(locked, stat.S_IRUSR | stat.S_IWUSR)


if __name__ == "__main__":
    unittest.main()
