#!/usr/bin/env python3
"""florimant-cli sheet and picture against a scratch copy of the installation."""
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

CLI = sys.argv[1] if len(sys.argv) > 1 else "florimant-cli"
INSTALLATION = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "installation")
# The folders the commands write into are copied; the rest is linked.
WRITTEN = {"OpzioneT", "Emf", "FileTmp"}


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError(path + " is not a PNG file")
    return struct.unpack(">II", head[16:24])


class DrawingCommands(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="florimant_drawing_cli_")
        cls.data = os.path.join(cls.scratch, "inst")
        os.mkdir(cls.data)
        for name in os.listdir(INSTALLATION):
            source = os.path.join(INSTALLATION, name)
            target = os.path.join(cls.data, name)
            if name in WRITTEN:
                shutil.copytree(source, target)
            else:
                os.symlink(source, target)
        cls.out = os.path.join(cls.scratch, "out")
        os.mkdir(cls.out)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def run_cli(self, *args):
        return subprocess.run([CLI, "--data", self.data, *args], capture_output=True, text=True, timeout=120)

    def ok(self, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        return json.loads(result.stdout)

    def refused(self, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, 1, result.stdout)
        lines = result.stderr.splitlines()
        self.assertEqual(len(lines), 1, result.stderr)
        return lines[0]

    def path(self, name):
        return os.path.join(self.out, name)

    def assert_no_leftovers(self):
        self.assertEqual([n for n in os.listdir(self.out) if n.endswith("~tmp")], [])

    def test_png_is_the_printed_a4_page(self):
        for layout, dpi, size in (("portrait", 150, (1240, 1754)), ("landscape", 150, (1754, 1240)),
                                  ("portrait", 75, (620, 877))):
            out = self.path("sheet_%s_%d.png" % (layout, dpi))
            reply = self.ok("sheet", "--layout", layout, "--out", out, "--dpi", str(dpi), "--aspects", "bands")
            self.assertEqual(reply, {"out": out, "width": size[0], "height": size[1]})
            self.assertEqual(png_size(out), size)
        self.assert_no_leftovers()

    def test_pdf_is_one_a4_page(self):
        for layout, box in (("portrait", (595, 842)), ("landscape", (842, 595))):
            out = self.path("sheet_%s.pdf" % layout)
            reply = self.ok("sheet", "--layout", layout, "--out", out, "--bw")
            with open(out, "rb") as f:
                pdf = f.read()
            self.assertTrue(pdf.startswith(b"%PDF-"))
            self.assertIn(b"%%EOF", pdf[-32:])
            self.assertEqual(pdf.count(b"/Type /Page\n") + pdf.count(b"/Type /Page\r") + pdf.count(b"/Type /Page "), 1)
            # Qt writes the page box in points with decimals; A4 is 595 x 842.
            start = pdf.index(b"/MediaBox")
            numbers = pdf[start:pdf.index(b"]", start)].split(b"[")[1].split()
            self.assertAlmostEqual(float(numbers[2]), box[0], delta=1)
            self.assertAlmostEqual(float(numbers[3]), box[1], delta=1)
            self.assertEqual(reply["width"] > reply["height"], layout == "landscape")

    def test_svg_parses_and_holds_the_header_texts(self):
        out = self.path("sheet.svg")
        reply = self.ok("sheet", "--layout", "landscape", "--out", out)
        root = ET.parse(out).getroot()
        self.assertTrue(root.tag.endswith("svg"))
        self.assertEqual(root.get("viewBox").split(), ["0", "0", str(reply["width"]), str(reply["height"])])
        texts = " ".join("".join(e.itertext()) for e in root.iter() if e.tag.endswith("text"))
        self.assertIn("TEMA DI NASCITA", texts)
        self.assertIn("DOMIFICAZIONE: CASE MEDIE", texts)

    def test_emf_plays_back_and_records_its_orientation(self):
        emf_folder = os.path.join(self.data, "Emf")
        with open(os.path.join(emf_folder, "TipGraf.Set"), "rb") as f:
            before = f.read().split(b"\r\n")
        out = os.path.join(emf_folder, "GRAF03.EMF")
        reply = self.ok("sheet", "--layout", "portrait", "--out", out)
        self.assertEqual(reply["height"], 2 * 1080)
        with open(out, "rb") as f:
            emf = f.read()
        self.assertEqual(struct.unpack("<I", emf[:4])[0], 1)   # EMR_HEADER
        self.assertEqual(emf[40:44], b" EMF")
        with open(os.path.join(emf_folder, "TipGraf.Set"), "rb") as f:
            after = f.read().split(b"\r\n")
        self.assertEqual(after[2], b"P")
        self.assertEqual([l[:1] for i, l in enumerate(after[:15]) if i != 2], [l[:1] for i, l in enumerate(before[:15]) if i != 2])

        landscape = self.path("GRAF05.EMF")
        self.ok("sheet", "--layout", "landscape", "--out", landscape, "--bw")
        played = self.path("played.png")
        reply = self.ok("picture", landscape, "--out", played)
        self.assertEqual(png_size(played), (reply["width"], reply["height"]))
        self.assertGreater(reply["width"], reply["height"])
        reply = self.ok("picture", out, "--out", played, "--size", "300x450")
        self.assertEqual(png_size(played), (300, 450))
        self.assert_no_leftovers()

    def test_damaged_metafile_is_refused_and_leaves_no_file(self):
        good = self.path("GRAF06.EMF")
        self.ok("sheet", "--layout", "portrait", "--out", good)
        with open(good, "rb") as f:
            emf = f.read()
        for name, data in (("cut.emf", emf[: len(emf) // 3]), ("garbled.emf", emf[:200] + b"\xff" * 64 + emf[264:]),
                           ("empty.emf", b""), ("text.emf", b"not a picture at all\n")):
            damaged = self.path(name)
            with open(damaged, "wb") as f:
                f.write(data)
            target = self.path(name + ".png")
            line = self.refused("picture", damaged, "--out", target)
            self.assertIn(damaged, line)
            self.assertFalse(os.path.exists(target), name)
        # An earlier picture of the same name is left as it was.
        target = self.path("kept.png")
        with open(target, "wb") as f:
            f.write(b"old")
        self.refused("picture", self.path("cut.emf"), "--out", target)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), b"old")
        self.assertIn("missing.emf", self.refused("picture", self.path("missing.emf"), "--out", self.path("m.png")))
        self.assert_no_leftovers()

    def test_bad_options_are_refused_before_anything_is_written(self):
        png = self.path("bad.png")
        cases = [
            (("sheet", "--layout", "sideways", "--out", png), "--layout"),
            (("sheet", "--out", png), "--layout"),
            (("sheet", "--layout", "portrait"), "--out"),
            (("sheet", "--layout", "portrait", "--out", png, "--aspects", "dots"), "--aspects"),
            (("sheet", "--layout", "portrait", "--out", png, "--dpi", "0"), "--dpi"),
            (("sheet", "--layout", "portrait", "--out", png, "--dpi", "abc"), "--dpi"),
            (("sheet", "--layout", "portrait", "--out", png, "--dpi", "150.5"), "--dpi"),
            (("sheet", "--layout", "portrait", "--out", self.path("bad.gif")), "bad.gif"),
            (("sheet", "--layout", "portrait", "--out", self.path("GRAF03.emf")), "File deve essere .EMF"),
            (("sheet", "--layout", "portrait", "--out", self.path("GRAF.03.EMF")), "File deve essere .EMF"),
            (("sheet", "--layout", "portrait", "--out", self.path("GRAF01X.EMF")), "File deve essere .EMF"),
            (("sheet", "--layout", "portrait", "--out", self.path("XXXX01.EMF")), "File deve essere .EMF"),
            (("sheet", "--layout", "portrait", "--out", self.path("GRAF16.EMF")), "File deve essere .EMF"),
            (("picture", self.path("x.emf"), "--out", self.path("x.jpg")), "x.jpg"),
            (("picture", self.path("x.emf"), "--out", png, "--size", "0x10"), "--size"),
            (("picture", self.path("x.emf"), "--out", png, "--size", "100"), "--size"),
            (("picture", "--out", png), "argomenti"),
        ]
        for args, expected in cases:
            self.assertIn(expected, self.refused(*args), args)
        self.assertEqual([n for n in os.listdir(self.out) if n.startswith(("bad", "GRAF", "x."))], [])

    def test_emf_in_the_program_folder_needs_a_picture_number(self):
        emf_folder = os.path.join(self.data, "Emf")
        with open(os.path.join(emf_folder, "TipGraf.Set"), "rb") as f:
            before = f.read()
        for name in ("SHEET.EMF", "GRAF01X.EMF", "XXXX01.EMF"):
            self.assertIn("File deve essere .EMF", self.refused("sheet", "--layout", "portrait", "--out",
                                                                 os.path.join(emf_folder, name)))
            self.assertFalse(os.path.exists(os.path.join(emf_folder, name)))
        with open(os.path.join(emf_folder, "TipGraf.Set"), "rb") as f:
            self.assertEqual(f.read(), before)

    def test_missing_settings_stop_the_sheet_without_output(self):
        broken = os.path.join(self.scratch, "no_settings")
        os.mkdir(broken)
        for name in os.listdir(self.data):
            if name != "FileSet":
                os.symlink(os.path.join(self.data, name), os.path.join(broken, name))
        out = self.path("unsettled.png")
        result = subprocess.run([CLI, "--data", broken, "sheet", "--layout", "portrait", "--out", out],
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
        self.assertIn("FileSet", result.stderr)
        self.assertFalse(os.path.exists(out))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
