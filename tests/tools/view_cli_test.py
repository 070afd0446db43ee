#!/usr/bin/env python3
"""florimant-cli view against a scratch copy of the installation."""
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

CLI = sys.argv[1] if len(sys.argv) > 1 else "florimant-cli"
INSTALLATION = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "installation")
# The chart key files are rewritten by the standard chart: that folder is copied, the rest linked.
WRITTEN = {"OpzioneT"}
VIEWS = [(0, 0), (1, 0), (1, 1), (1, 2), (2, 0), (2, 1), (2, 2), (2, 3), (3, 0), (4, 0), (4, 1), (4, 2), (4, 3)]


def read_png(path):
    """Width, height and the inflated scanlines of a PNG file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError(path + " is not a PNG file")
    pos, width, height, idat = 8, 0, 0, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return width, height, zlib.decompress(idat)


class ViewCommand(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="florimant_view_cli_")
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
        return subprocess.run([CLI, "view", *args, "--data", self.data], capture_output=True, text=True, timeout=120)

    def ok(self, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        return json.loads(result.stdout)

    def refused(self, *args):
        result = self.run_cli(*args)
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
        self.assertEqual(result.stdout, "")

    def test_every_view_and_state_draws_a_page(self):
        pictures = {}
        for view, state in VIEWS + [(10, "p"), (10, "s")]:
            out = os.path.join(self.out, "v%s_%s.png" % (view, state))
            if view == 10:
                extra = ["--point", "5"] if state == "p" else ["--sign", "3"]
                reply = self.ok("--view", "10", *extra, "--out", out)
            else:
                reply = self.ok("--view", str(view), "--state", str(state), "--out", out)
            self.assertEqual(reply["out"], out)
            width, height, pixels = read_png(out)
            self.assertEqual((reply["width"], reply["height"]), (width, height))
            self.assertEqual((width, height), (1405, 1020))  # 281 x 204 units at 5 pixels
            # More than the page frame alone (about 10000 lit bytes): the wheel or the tables.
            lit = len(pixels) - pixels.count(0)
            self.assertGreater(lit, 20000, (view, state))
            pictures[(view, state)] = pixels
        # Every state draws something of its own.
        self.assertEqual(len(set(pictures.values())), len(pictures))
        self.assertFalse(os.path.exists(os.path.join(self.data, "OpzioneT", "PosiPian.txt~tmp")))
        self.assertTrue(os.path.exists(os.path.join(self.data, "OpzioneT", "PosiPian.txt")))

    def test_scale_and_black_and_white(self):
        out = os.path.join(self.out, "small.png")
        reply = self.ok("--view", "0", "--out", out, "--scale", "2", "--bw")
        self.assertEqual((reply["width"], reply["height"]), (562, 408))
        self.assertEqual(read_png(out)[:2], (562, 408))

    def test_bad_options_leave_no_file(self):
        out = os.path.join(self.out, "refused.png")
        self.refused("--view", "5", "--out", out)
        self.refused("--view", "1", "--state", "3", "--out", out)
        self.refused("--view", "abc", "--out", out)
        self.refused("--view", "1.5", "--out", out)
        self.refused("--view", "1", "--out", os.path.join(self.out, "refused.jpg"))
        self.refused("--view", "1")
        self.refused("--out", out)
        self.refused("--view", "10", "--out", out)
        self.refused("--view", "10", "--point", "8", "--out", out)
        self.refused("--view", "10", "--sign", "13", "--out", out)
        self.refused("--view", "10", "--point", "1", "--sign", "2", "--out", out)
        self.refused("--view", "0", "--scale", "0", "--out", out)
        self.assertEqual(os.listdir(self.out) and [f for f in os.listdir(self.out) if f.startswith("refused")], [])

    def test_missing_installation_is_one_line(self):
        out = os.path.join(self.out, "missing.png")
        result = subprocess.run([CLI, "view", "--view", "0", "--out", out, "--data", os.path.join(self.scratch, "none")],
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 1)
        self.assertIn("OrbiDomi.stt", result.stderr)
        self.assertFalse(os.path.exists(out))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
