#!/usr/bin/env python3
"""Checks on the bundled skins and on the script that generates them.

    python3 -m unittest discover -s scripts -p 'test_make_skins.py'
"""

import contextlib
import importlib.util
import io
import os
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SKINS_DIR = os.path.join(os.path.dirname(HERE), "skins")

_spec = importlib.util.spec_from_file_location("make_skins", os.path.join(HERE, "make-skins.py"))
ms = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(ms)

BUTTON_ACTIONS = {1, 2, 3, 5}
CONTENT_SIZE = (350, 240)  # the control panel's content window


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def read_ini_strictly(path):
    """Parse skin.ini the way the program sees it, failing on anything it would trip on."""
    raw = read_bytes(path)
    raw.decode("ascii")  # raises on anything outside ASCII
    assert b"\n" not in raw.replace(b"\r\n", b""), "line ends must be CRLF"
    sections, keys = [], {}
    for line in raw.decode("ascii").split("\r\n"):
        if line.startswith("["):
            sections.append(line)
        elif "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            keys[key] = value
    return sections, keys


class BundledSkinsTest(unittest.TestCase):
    """The committed skins are ones the program can load and draw cleanly."""

    def skins(self):
        names = [s["name"] for s in ms.SKINS]
        self.assertGreaterEqual(len(names), 3)
        for name in names:
            yield name, os.path.join(SKINS_DIR, name)

    def test_skin_ini_is_readable_by_the_program(self):
        for name, path in self.skins():
            with self.subTest(skin=name):
                self.assertTrue(name.isascii() and name.isalnum())
                sections, keys = read_ini_strictly(os.path.join(path, "skin.ini"))
                self.assertEqual(sections, ["[SKININFO]"])
                numbers = sorted(int(k[len("SKINNUM"):]) for k in keys if k.startswith("SKINNUM"))
                self.assertEqual(numbers, list(range(len(numbers))), "item keys must have no gaps")
                self.assertGreaterEqual(len(numbers), 5)
                for n in numbers:
                    line = keys["SKINNUM%d" % n]
                    self.assertLessEqual(len(line.encode("ascii")), 127, line)
                    fields = line.split(",")
                    self.assertGreaterEqual(len(fields), 9, line)
                    for field in fields[:7]:
                        int(field)  # the numeric fields carry plain integers

    def test_images_fit_their_items(self):
        for name, path in self.skins():
            with self.subTest(skin=name):
                items, images = ms.load_skin(path)
                num = [[int(v) for v in f[:7]] for f in items]
                L, T, R, B = num[0][1:5]
                frame = images[0]
                self.assertGreater(frame.w, L + R + 8, "frame image narrower than its borders")
                self.assertGreater(frame.h, T + B + 8, "frame image shorter than its borders")
                actions = []
                for (action, x, y, w, h, stretch, disabled), fields, img in zip(num[1:], items[1:], images[1:]):
                    self.assertGreater(img.w * img.h, 0, "%s does not decode" % fields[8])
                    if stretch:
                        continue
                    self.assertIn(img.w, (w, 4 * w), fields[8])
                    self.assertEqual(img.h, h, fields[8])
                    if action in BUTTON_ACTIONS:
                        actions.append(action)
                        self.assertLess(x, 0, "buttons are right-aligned")
                        self.assertEqual((disabled, img.w), (0, 4 * w), "buttons need four live cells")
                self.assertEqual(sorted(actions), sorted(BUTTON_ACTIONS))

    def test_frame_edges_stretch_cleanly(self):
        # Edges are stretched along their length: any variation along an edge
        # would be smeared, and a non-transparent rim would cut the shadow off.
        for name, path in self.skins():
            with self.subTest(skin=name):
                items, images = ms.load_skin(path)
                L, T, R, B = (int(v) for v in items[0][1:5])
                img = images[0]

                def px(x, y):
                    return bytes(img.data[(y * img.w + x) * 4:(y * img.w + x) * 4 + 4])

                for y in list(range(T)) + list(range(img.h - B, img.h)):
                    self.assertEqual(len({px(x, y) for x in range(L, img.w - R)}), 1, "row %d" % y)
                for x in list(range(L)) + list(range(img.w - R, img.w)):
                    self.assertEqual(len({px(x, y) for y in range(T, img.h - B)}), 1, "column %d" % x)
                rim = [px(x, 0) for x in range(img.w)] + [px(0, y) for y in range(img.h)]
                self.assertTrue(all(p[3] == 0 for p in rim), "shadow must fade out at the image edge")

    def test_items_blend_into_the_frame_at_any_size(self):
        # Items are copied, not blended: the corners of a cell must be the
        # frame pixels beneath it, wherever the frame has been resized to.
        for name, path in self.skins():
            items, images = ms.load_skin(path)
            L, T, R, B = (int(v) for v in items[0][1:5])
            loaded = (CONTENT_SIZE[0] + L + R, CONTENT_SIZE[1] + T + B)
            for size in (loaded, (200, 200), (800, 600)):
                frame, _ = ms.compose_items(items[:1], images[:1], size[0], size[1], loaded)
                for fields, img in zip(items[1:], images[1:]):
                    x, y, w, h, stretch, disabled = (int(v) for v in fields[1:7])
                    if stretch:
                        continue
                    x = size[0] + x if x < 0 else x
                    cell = 3 * w if disabled else 0
                    for cx, cy in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                        with self.subTest(skin=name, size=size, item=fields[7], corner=(cx, cy)):
                            i = (cy * img.w + cell + cx) * 4
                            j = ((y + cy) * size[0] + x + cx) * 4
                            self.assertEqual(img.data[i:i + 4], frame.data[j:j + 4])

    def test_stretched_items_survive_resizing(self):
        for name, path in self.skins():
            items, images = ms.load_skin(path)
            L, T, R, B = (int(v) for v in items[0][1:5])
            loaded_w = CONTENT_SIZE[0] + L + R
            buttons_left = min(loaded_w + int(f[1]) for f in items[1:] if int(f[0]) in BUTTON_ACTIONS)
            for fields, img in zip(items[1:], images[1:]):
                x, y, w, h, stretch = (int(v) for v in fields[1:6])
                if not stretch:
                    continue
                with self.subTest(skin=name, item=fields[7]):
                    # It grows in height too, so its visible rows must all be alike.
                    rows = {bytes(img.data[r * img.w * 4:(r + 1) * img.w * 4]) for r in range(img.h)}
                    self.assertEqual(len(rows), 1)
                    self.assertTrue(all(a == 255 for a in img.data[3::4]))
                    self.assertLessEqual(x + w, buttons_left, "runs under the caption buttons")
                    self.assertLessEqual(y + h, T + CONTENT_SIZE[1], "reaches the bottom border")


class GeneratorTest(unittest.TestCase):

    def test_png_round_trip(self):
        data = bytes((x * 7 + y * 13 + c * 61) & 0xFF for y in range(5) for x in range(9) for c in range(4))
        self.assertEqual(ms.decode_png(ms.encode_png(9, 5, data)), (9, 5, data))
        with self.assertRaises(ValueError):
            ms.decode_png(ms.encode_png(9, 5, data)[:-20] + b"\0" * 20)

    def test_output_is_deterministic_and_committed(self):
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            for out in (a, b):
                with contextlib.redirect_stdout(io.StringIO()):
                    ms.generate(out)
            for skin in ms.SKINS:
                names = sorted(os.listdir(os.path.join(a, skin["name"])))
                self.assertEqual(names, sorted(os.listdir(os.path.join(SKINS_DIR, skin["name"]))))
                for fname in names:
                    with self.subTest(skin=skin["name"], file=fname):
                        first, second, committed = (
                            read_bytes(os.path.join(d, skin["name"], fname)) for d in (a, b, SKINS_DIR))
                        self.assertEqual(first, second)
                        # Compare pixels rather than bytes: another zlib may compress differently.
                        if fname.endswith(".png"):
                            self.assertEqual(ms.decode_png(first), ms.decode_png(committed),
                                             "committed image is stale: run scripts/make-skins.py")
                        else:
                            self.assertEqual(first, committed, "committed skin.ini is stale")


if __name__ == "__main__":
    unittest.main()
