"""The module in the host: loading beside the host add-in, the language chosen from the
ini file, the palette, and the handle command that selects what a dimension is tied to."""
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import kzdim_session  # noqa: E402

PROMPT_JA = "ｵﾌﾞｼﾞｪｸﾄ選択 または [点を指示(OP)]:"
PROMPT_EN = "Select objects or [specify Points(OP)]:"


class ModuleFrameTest(unittest.TestCase):
    def setUp(self):
        self.s = kzdim_session.Session()

    def tearDown(self):
        self.s.close()

    def test_language_comes_from_the_ini_file(self):
        r = self.s.run(["KZ_DIM_MAKE", "*CANCEL*"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn(PROMPT_JA, r.transcript)
        self.s.set_ini("LANGUAGE", "LCID", "1033")
        r = self.s.run(["KZ_DIM_MAKE", "*CANCEL*"], save=False)
        self.assertIn(PROMPT_EN, r.transcript)
        self.assertNotIn("ERROR", r.transcript)
        # Only the low 16 bits name the language: 66577 is 0x10411, Japanese.
        self.s.set_ini("LANGUAGE", "LCID", "66577")
        r = self.s.run(["KZ_DIM_MAKE", "*CANCEL*"], save=False)
        self.assertIn(PROMPT_JA, r.transcript)
        self.assertNotIn("ERROR", r.transcript)
        # 1041 and 0 both mean the module's own (Japanese) texts.
        self.s.set_ini("LANGUAGE", "LCID", "0")
        r = self.s.run(["KZ_DIM_MAKE", "*CANCEL*"], save=False)
        self.assertIn(PROMPT_JA, r.transcript)

    def test_a_missing_language_module_is_reported_and_the_commands_still_work(self):
        # A copy of the host and its applications without the 1033 folder.
        bin_copy = os.path.join(self.s.folder, "bin")
        os.mkdir(bin_copy)
        for name in ("kzdim", "Kelto.arx", "KzDim.arx"):
            shutil.copy2(os.path.join(kzdim_session.BIN_DIR, name), bin_copy)
        self.s.set_ini("LANGUAGE", "LCID", "1033")
        r = self.s.run(["KZ_DIM_MAKE", "*CANCEL*"], kzdim=os.path.join(bin_copy, "kzdim"),
                       save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("\nERROR:Resource dll load failed.\n path = %s/1033\\KzDim.dll\n"
                      % bin_copy, r.transcript)
        self.assertIn(PROMPT_JA, r.transcript)

    def test_without_the_host_add_in_the_module_refuses_to_load(self):
        r = self.s.run([], drawing="new", options=("--no-addins", "--load",
                       os.path.join(kzdim_session.BIN_DIR, "KzDim.arx")), save=False)
        self.assertEqual(r.returncode, 1)
        self.assertIn("KzDim.arx をロードできません", r.transcript)
        self.assertIn("could not load", r.stderr)

    def test_palette_buttons_run_their_commands(self):
        r = self.s.run(["KZ_DIM_DIALOG", "210", "CANCEL"], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn('Dialog 212 "寸法線"', r.transcript)
        # The button sends KZ_DIM_CONFIG, which opens the settings dialog.
        self.assertIn("KZ_DIM_CONFIG", r.transcript.split("Dialog 212 closed")[1])
        self.assertIn('Dialog 200 "寸法線設定"', r.transcript)
        self.assertEqual(self.s.ini_section("寸法線").get("アイソメ寸法"), "0")
        # Closed without a button: nothing is sent.
        r = self.s.run(["KZ_DIM_DIALOG", "CANCEL"], save=False)
        self.assertNotIn("Dialog 200", r.transcript)

    def test_handle_skips_names_of_missing_objects(self):
        import ezdxf
        doc = ezdxf.readfile(kzdim_session.SAMPLE)
        doc.entitydb["61"].set_xdata("KZ_DIMENSION",
                                     [(1000, "7D"), (1000, "FFFF0"), (1000, "8C")])
        start = os.path.join(self.s.folder, "dangling.dxf")
        doc.saveas(start)
        r = self.s.run(["KZ_DIM_HANDLE", "#61", "", "LIST"], drawing=start, save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        listed = [l.split("= ")[1] for l in r.transcript.split("コマンド: LIST")[1].splitlines()
                  if "Handle = " in l]
        self.assertEqual(listed, ["7D", "8C"])

    def test_handle_selects_what_a_record_names(self):
        r = self.s.run(["KZ_DIM_HANDLE", "#7D", "", "LIST",
                        "KZ_DIM_HANDLE", "#61", "", "LIST",
                        # A plain line has no record: the command selects nothing.
                        "KZ_DIM_HANDLE", "#78", "", "LIST", ""], save=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        lists = r.transcript.split("コマンド: LIST")[1:]
        handles = [[l.split("= ")[1] for l in part.split("コマンド:")[0].splitlines()
                    if "Handle = " in l] for part in lists]
        self.assertEqual(handles[0], ["61"])
        self.assertEqual(handles[1], ["7D"])
        self.assertEqual(handles[2], [])  # LIST then asks for objects; Enter ends it


if __name__ == "__main__":
    unittest.main()
