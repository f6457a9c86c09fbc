"""KZ_DIM_CONFIG on the real module: what it reads, what cancel and OK write to the
configuration store and in which formats, and what the dialog shows next time."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import kzdim_session  # noqa: E402

KEYS = ["重ね寸法はなれ量", "文字高さ", "黒丸サイズ", "文字はなれ量", "補助線はなれ量", "寸法線色",
        "寸法補助線色", "寸法文字色", "文字縦横比", "矢印タイプ", "文字方向", "補助線固定",
        "補助線長さ"]


def shown(transcript, control):
    """The value the last dialog showed for a control: '201 edit 矢印サイズ: "1.5"'."""
    value = None
    for line in transcript.splitlines():
        parts = line.split()
        if parts and parts[0] == str(control) and ":" in line:
            value = line.split(": ", 1)[1]
    return value


class ConfigCommandTest(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_session.Session()

    def tearDown(self):
        self.s.close()

    def stored(self):
        return self.s.ini_section("寸法線")

    def test_cancel_fills_an_empty_store_from_the_shared_file(self):
        self.assertEqual({k: v for k, v in self.stored().items() if k in KEYS}, {})
        r = self.s.run(["KZ_DIM_CONFIG", "CANCEL"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(self.stored(), {
            "重ね寸法はなれ量": "7", "文字高さ": "2.5", "黒丸サイズ": "1.5", "文字はなれ量": "1",
            "補助線はなれ量": "2", "寸法線色": "256", "寸法補助線色": "256", "寸法文字色": "256",
            "文字縦横比": "0.8", "矢印タイプ": "1", "文字方向": "1", "補助線固定": "0",
            "補助線長さ": "10.0"})
        self.assertEqual(shown(r.transcript, 200), '"2.5"')
        # The store is complete now: a second cancel writes nothing.
        with open(self.s.ini, "a", encoding="utf-8") as f:
            f.write("; marker\n")
        before = self.s.ini_text()
        self.s.run(["KZ_DIM_CONFIG", "CANCEL"], save=False)
        self.assertEqual(self.s.ini_text(), before)

    def test_confirmed_values_are_stored_in_their_formats_and_shown_next_time(self):
        r = self.s.run(["KZ_DIM_CONFIG", "200=3.25", "214=0.85", "229=12.34", "231=1",
                        "224=4", "226=2", "210=1", "212=30", "203=-2", "OK",
                        "KZ_DIM_CONFIG", "CANCEL"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        stored = self.stored()
        self.assertEqual(stored["文字高さ"], "3.25")
        self.assertEqual(stored["文字縦横比"], "0.8")   # one decimal: 0.85 -> "0.8" ("%.1f")
        self.assertEqual(stored["補助線長さ"], "12.3")
        self.assertEqual(stored["補助線固定"], "1")
        self.assertEqual(stored["矢印タイプ"], "4")
        self.assertEqual(stored["文字方向"], "2")
        self.assertEqual(stored["寸法線色"], "1")
        self.assertEqual(stored["寸法補助線色"], "256")
        self.assertEqual(stored["寸法文字色"], "30")
        self.assertEqual(stored["重ね寸法はなれ量"], "-2")  # no range checks
        # The second run shows what the first stored.
        self.assertEqual(shown(r.transcript, 229), '"12.3"')
        self.assertEqual(shown(r.transcript, 231), "1")
        self.assertEqual(shown(r.transcript, 224), "4 白丸１")
        self.assertTrue(shown(r.transcript, 210).startswith("1 "))
        self.assertTrue(shown(r.transcript, 212).startswith("30 "))

    def test_a_store_missing_one_key_is_written_whole_and_flags_are_zero_or_one(self):
        values = {"重ね寸法はなれ量": "9", "文字高さ": "4", "黒丸サイズ": "1", "文字はなれ量": "0.5",
                  "補助線はなれ量": "3", "寸法線色": "2", "寸法補助線色": "3", "寸法文字色": "4",
                  "文字縦横比": "0.7", "矢印タイプ": "6", "文字方向": "0", "補助線固定": "5"}
        for key, value in values.items():  # every key but 補助線長さ
            self.s.set_ini("寸法線", key, value)
        r = self.s.run(["KZ_DIM_CONFIG", "CANCEL"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        stored = self.stored()
        # Read up to the missing key, then all thirteen written: the length from the
        # shared file, a flag of 5 as "0".
        self.assertEqual(stored["補助線長さ"], "10.0")
        self.assertEqual(stored["補助線固定"], "0")
        self.assertEqual({k: stored[k] for k in values if k != "補助線固定"},
                         {k: v for k, v in values.items() if k != "補助線固定"})
        self.assertEqual(shown(r.transcript, 200), '"4"')

    def test_a_field_that_is_not_a_number_keeps_the_dialog_open(self):
        r = self.s.run(["KZ_DIM_CONFIG", "201=abc", "OK", "201=2", "OK"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(r.transcript.count("Dialog 200 closed"), 1)
        self.assertEqual(self.stored()["黒丸サイズ"], "2")


if __name__ == "__main__":
    unittest.main()
