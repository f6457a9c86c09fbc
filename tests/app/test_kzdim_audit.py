"""kzdim audit on the sample drawing, sound and damaged: the report, the exit status,
the repaired copy, and the audited drawing left as it was."""
import hashlib
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kzdim"))
import kzdim_session  # noqa: E402


def audit(*args):
    return subprocess.run([kzdim_session.KZDIM, "audit", *args], capture_output=True, timeout=60)


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class AuditCommand(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        import ezdxf
        cls.tmp = tempfile.TemporaryDirectory()
        doc = ezdxf.readfile(kzdim_session.SAMPLE)
        # The dimension's list names its element 61, a handle nothing has, and an
        # element that is deleted below.
        doc.entitydb["7D"].set_xdata("KZ_DIMENSION", [(1000, "61"), (1000, "ABCDE"),
                                                      (1000, "69")])
        doc.modelspace().delete_entity(doc.entitydb["69"])
        cls.damaged = os.path.join(cls.tmp.name, "damaged.dxf")
        doc.saveas(cls.damaged)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_a_sound_drawing_reports_nothing(self):
        r = audit(kzdim_session.SAMPLE)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(r.stdout.decode().splitlines()[-1],
                         "%s: 0 error(s) found, 0 fixed" % kzdim_session.SAMPLE)

    def test_damage_is_reported_with_codes_and_fixed_into_a_copy(self):
        before = digest(self.damaged)
        r = audit(self.damaged)
        self.assertEqual(r.returncode, 1)
        lines = r.stdout.decode().splitlines()
        self.assertEqual(lines[:-1], [
            'A103 error: DIMENSION 7D: KZ_DIMENSION entry "ABCDE" names no entity',
            'A103 error: DIMENSION 7D: KZ_DIMENSION entry "69" names no entity',
            # The other dimension of the deleted element.
            'A103 error: DIMENSION 8C: KZ_DIMENSION entry "69" names no entity'])
        self.assertTrue(lines[-1].endswith("3 error(s) found, 0 fixed"))

        fixed = os.path.join(self.tmp.name, "fixed.dxf")
        r = audit(self.damaged, "--fix", "--out", fixed)
        self.assertEqual(r.returncode, 3, r.stdout + r.stderr)
        self.assertTrue(r.stdout.decode().splitlines()[-1].endswith("3 error(s) found, 3 fixed"))
        self.assertEqual(audit(fixed).returncode, 0)
        self.assertEqual(kzdim_session.links(self._entity(fixed, "7D")), ["61"])
        self.assertEqual(digest(self.damaged), before, "the audited drawing changed")

    def test_fix_needs_an_output_and_an_unreadable_drawing_is_an_error(self):
        r = audit(self.damaged, "--fix")
        self.assertEqual(r.returncode, 2)
        self.assertIn(b"--out", r.stderr)
        junk = os.path.join(self.tmp.name, "junk.dxf")
        with open(junk, "wb") as f:
            f.write(b"\x00\x01 not a drawing\n")
        r = audit(junk)
        self.assertEqual(r.returncode, 1)
        self.assertIn(b"junk.dxf", r.stderr)

    @staticmethod
    def _entity(path, handle):
        import ezdxf
        return ezdxf.readfile(path).entitydb[handle]


if __name__ == "__main__":
    unittest.main()
