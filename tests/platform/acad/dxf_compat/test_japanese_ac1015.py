"""A Japanese drawing in the 2000 format (AC1015) with code page ANSI_932 converts to
the 2013 format (UTF-8) with its texts, layer names, attributes and extended data
intact, and renders with them."""
import os
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import ezdxf

from compat_support import audit_errors, convert, run_kzdim

TEXT = "配管ルート　経路寸法"
MTEXT = "第一行\\P第二行ｶﾀｶﾅ"
LAYER = "配管"
ATTRIBUTE = "ﾊﾞﾙﾌﾞ-１"
XDATA = "日本語の拡張データ"


def build(path):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp932"  # ezdxf writes $DWGCODEPAGE ANSI_932 for it
    doc.appids.new("KZ_TEST")
    doc.layers.new(LAYER, dxfattribs={"color": 3})
    block = doc.blocks.new("弁")
    block.add_circle((0, 0), 5)
    block.add_attdef("名称", (0, 6), dxfattribs={"height": 2})
    msp = doc.modelspace()
    text = msp.add_text(TEXT, dxfattribs={"height": 5, "layer": LAYER, "insert": (0, 20)})
    text.set_xdata("KZ_TEST", [(1000, XDATA)])
    msp.add_mtext(MTEXT, dxfattribs={"char_height": 4, "insert": (0, 40)})
    msp.add_blockref("弁", (50, 0)).add_auto_attribs({"名称": ATTRIBUTE})
    doc.saveas(path, encoding="cp932")


class JapaneseAc1015(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.source = os.path.join(cls.tmp.name, "japanese.dxf")
        cls.target = os.path.join(cls.tmp.name, "converted.dxf")
        build(cls.source)
        convert(cls.source, cls.target)
        cls.doc = ezdxf.readfile(cls.target)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_source_is_shift_jis(self):
        with open(self.source, "rb") as f:
            raw = f.read()
        self.assertIn(TEXT.encode("cp932"), raw)
        self.assertIn(b"AC1015", raw)
        self.assertIn(b"$DWGCODEPAGE\n  3\nANSI_932\n", raw)

    def test_converted_file_is_utf8_in_the_2013_format(self):
        with open(self.target, "rb") as f:
            raw = f.read()
        self.assertIn(TEXT.encode("utf-8"), raw)
        self.assertEqual(self.doc.dxfversion, "AC1027")

    def test_texts_layer_attribute_and_extended_data_are_intact(self):
        msp = self.doc.modelspace()
        text = msp.query("TEXT")[0]
        self.assertEqual(text.dxf.text, TEXT)
        self.assertEqual(text.dxf.layer, LAYER)
        self.assertEqual(text.get_xdata("KZ_TEST")[0].value, XDATA)
        self.assertEqual(msp.query("MTEXT")[0].text, MTEXT)
        insert = msp.query("INSERT")[0]
        self.assertEqual(insert.dxf.name, "弁")
        self.assertEqual([(a.dxf.tag, a.dxf.text) for a in insert.attribs], [("名称", ATTRIBUTE)])
        self.assertIn(LAYER, self.doc.layers)

    def test_audit_finds_no_error(self):
        self.assertEqual(audit_errors(ezdxf.readfile(self.target)), [])

    def test_rendered_picture_shows_the_texts(self):
        svg = os.path.join(self.tmp.name, "japanese.svg")
        run = run_kzdim("render", self.source, "--svg", svg)
        self.assertEqual(run.returncode, 0, run.stderr)
        texts = [t.text for t in ET.parse(svg).getroot().iter("{http://www.w3.org/2000/svg}text")]
        for expected in (TEXT, "第一行", "第二行ｶﾀｶﾅ", ATTRIBUTE):
            self.assertIn(expected, texts)


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=2).result
    sys.exit(0 if result.wasSuccessful() else 1)
