#!/usr/bin/env python3
"""Generate glaze's own artwork: the program icon, the panel emblem and the finder cursor.

    python3 scripts/make-artwork.py                    # rewrite the files in src/res/
    python3 scripts/make-artwork.py --out DIR          # write them somewhere else
    python3 scripts/make-artwork.py --preview OUT.png  # a magnified sheet of everything

Standard library only; the output is deterministic (same bytes on every run).

  * glaze.ico   - the program icon: a glass window frame (translucent blue border, a caption
                  band with three small buttons, a pale interior) crossed by a gloss streak.
                  16, 32 and 48 pixels, 32-bit entries with alpha, each size laid out on whole
                  pixels of its own so that the small sizes stay crisp.
  * emblem.ico  - the panel's decoration: a glass orb holding a small frame, 32 x 32 in 256
                  colours with a one-bit mask (the control panel shows it on its grey face).
  * finder.cur  - the window finder's pointer: a monochrome round reticle with a cross,
                  hot spot at its centre (15, 16).
"""

import argparse
import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4  # sub-samples per pixel along each axis

# --------------------------------------------------------------------------------------------
# Tiny vector rasteriser: shapes are signed-distance functions, a layer is a shape plus a colour
# function, and layers are composited (straight alpha, "over") with sub-pixel coverage.
# --------------------------------------------------------------------------------------------


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
        return outside + min(max(dx, dy), 0.0) - radius

    return sdf


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def ellipse(cx, cy, rx, ry):
    # Not an exact distance, but exact on the outline, which is all coverage needs.
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * min(rx, ry)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def band(a, b):
    """The diagonal strip a <= x + y <= b, a gloss streak."""
    return lambda x, y: max(a - (x + y), (x + y) - b) / math.sqrt(2)


def vertical(top_colour, bottom_colour, y0, y1):
    def colour(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))

    return colour


def radial(inner, outer, cx, cy, radius):
    def colour(x, y):
        t = min(math.hypot(x - cx, y - cy) / radius, 1.0)
        return tuple(a + (b - a) * t for a, b in zip(inner, outer))

    return colour


def flat(colour):
    return lambda x, y: colour


def render(size, layers):
    """Composites the layers over transparency; returns rows of (r, g, b, a) floats."""
    step = 1.0 / SUPERSAMPLE
    offsets = [(i + 0.5) * step for i in range(SUPERSAMPLE)]
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied sum over the sub-samples
            for oy in offsets:
                for ox in offsets:
                    x, y = px + ox, py + oy
                    r = g = b = a = 0.0  # premultiplied
                    for shape, paint in layers:
                        if shape(x, y) > 0:
                            continue
                        cr, cg, cb, ca = paint(x, y)
                        r = cr * ca + r * (1 - ca)
                        g = cg * ca + g * (1 - ca)
                        b = cb * ca + b * (1 - ca)
                        a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0.0, 0.0, 0.0, 0.0))
            else:
                row.append((acc[0] / n / alpha, acc[1] / n / alpha, acc[2] / n / alpha, alpha))
        image.append(row)
    return image


def to_byte(v):
    return max(0, min(255, int(round(v * 255))))


# --------------------------------------------------------------------------------------------
# The artwork.
# --------------------------------------------------------------------------------------------

GLASS_TOP = (0.62, 0.84, 1.00, 0.90)
GLASS_BOTTOM = (0.16, 0.42, 0.80, 0.94)
OUTLINE = (0.05, 0.17, 0.38, 1.00)
INTERIOR_TOP = (1.00, 1.00, 1.00, 1.00)
INTERIOR_BOTTOM = (0.84, 0.91, 0.98, 1.00)
INTERIOR_EDGE = (0.08, 0.24, 0.50, 0.85)
SHADOW = (0.0, 0.0, 0.0, 0.28)
GLOSS = (1.0, 1.0, 1.0, 0.38)
BUTTON = (1.0, 1.0, 1.0, 0.92)
SHEEN = (1.0, 1.0, 1.0, 0.45)

# Per size: outer frame box and radius, interior box, caption-button radius (0: none),
# shadow offset (0: none). Whole-pixel edges keep every size sharp.
FRAME_LAYOUTS = {
    16: dict(outer=(0, 1, 16, 15), radius=2.5, inner=(2, 5, 14, 13), button=0.0, shadow=0),
    32: dict(outer=(1, 2, 31, 29), radius=4.5, inner=(4, 9, 28, 26), button=1.3, shadow=1),
    48: dict(outer=(2, 3, 46, 44), radius=6.5, inner=(6, 13, 42, 40), button=1.9, shadow=2),
}


def frame_layers(layout):
    x0, y0, x1, y1 = layout["outer"]
    i0, j0, i1, j1 = layout["inner"]
    radius = layout["radius"]
    outer = rounded_rect(x0, y0, x1, y1, radius)
    body = rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 1)
    interior = rounded_rect(i0, j0, i1, j1, 1.0)
    interior_edge = rounded_rect(i0 - 1, j0 - 1, i1 + 1, j1 + 1, 1.5)
    layers = []
    if layout["shadow"]:
        s = layout["shadow"]
        layers.append((rounded_rect(x0 + s, y0 + 2 * s, x1 + s, y1 + s, radius), flat(SHADOW)))
    layers += [
        (outer, flat(OUTLINE)),
        (body, vertical(GLASS_TOP, GLASS_BOTTOM, y0, y1)),
        (interior_edge, flat(INTERIOR_EDGE)),
        (interior, vertical(INTERIOR_TOP, INTERIOR_BOTTOM, j0, j1)),
        # The caption band catches the light.
        (intersect(body, lambda x, y: y - (j0 - 1)), vertical(SHEEN, (1.0, 1.0, 1.0, 0.0), y0, j0)),
    ]
    if layout["button"]:
        r = layout["button"]
        cy = (y0 + 1 + j0 - 1) / 2
        for k in range(3):
            cx = i1 - r - k * (2 * r + r * 1.2)
            layers.append((circle(cx, cy, r), flat(BUTTON)))
    # The gloss streak runs across the whole pane, interior included: it is glass.
    size = x1 - x0
    layers.append((intersect(body, band(x0 + y0 + 0.50 * size, x0 + y0 + 0.78 * size)),
                   flat(GLOSS)))
    layers.append((intersect(body, band(x0 + y0 + 0.88 * size, x0 + y0 + 0.96 * size)),
                   flat(GLOSS)))
    return layers


def emblem_layers():
    orb = circle(16, 16, 14.0)
    rim = circle(16, 16, 15.0)
    highlight = intersect(ellipse(16, 10.5, 10.5, 7.0), orb)
    pane = rounded_rect(9, 11, 23, 22, 1.5)
    pane_hole = rounded_rect(10.5, 14.5, 21.5, 20.5, 0.5)
    return [
        (rim, flat((0.04, 0.16, 0.36, 1.0))),
        (orb, radial((0.45, 0.75, 1.0, 1.0), (0.08, 0.30, 0.66, 1.0), 13, 11, 19)),
        (subtract(pane, pane_hole), flat((1.0, 1.0, 1.0, 0.95))),
        (pane_hole, flat((0.80, 0.92, 1.0, 0.55))),
        (highlight, vertical((1.0, 1.0, 1.0, 0.62), (1.0, 1.0, 1.0, 0.05), 3.5, 17.5)),
    ]


def finder_masks():
    """The reticle as two 32 x 32 grids: 'K' black, 'W' white, ' ' transparent."""
    size, hx, hy = 32, 15, 16
    grid = [[" "] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - hx, y - hy)
            if 8.4 <= d <= 9.9:
                grid[y][x] = "K"
    for k in range(-7, 8):
        if abs(k) >= 2:  # a gap round the centre keeps the aimed-at pixel visible
            grid[hy][hx + k] = "K"
            grid[hy + k][hx] = "K"
    grid[hy][hx] = "K"
    # A one-pixel white outline keeps the reticle visible on dark windows.
    outline = []
    for y in range(size):
        for x in range(size):
            if grid[y][x] != " ":
                continue
            near = any(
                0 <= x + dx < size and 0 <= y + dy < size and grid[y + dy][x + dx] == "K"
                for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if near:
                outline.append((x, y))
    for x, y in outline:
        grid[y][x] = "W"
    return grid, (hx, hy)


# --------------------------------------------------------------------------------------------
# File formats.
# --------------------------------------------------------------------------------------------


def mask_rows(size, opaque):
    """The AND mask, bottom-up, rows padded to 32 bits: 1 where the pixel is transparent."""
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if not opaque(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def bitmap_header(size, bits, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def icon_entry_32bit(image):
    size = len(image)
    pixels = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            pixels += bytes((to_byte(b), to_byte(g), to_byte(r), to_byte(a)))
    mask = mask_rows(size, lambda x, y: image[y][x][3] > 0)
    return bitmap_header(size, 32) + bytes(pixels) + mask


def median_cut(colours, count):
    """Deterministic palette of at most `count` colours for the given list of RGB triples."""
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: (max(max(c[i] for c in b) - min(c[i] for c in b)
                                                 for i in range(3)), len(b)))
        ranges = [max(c[i] for c in box) - min(c[i] for c in box) for i in range(3)]
        axis = ranges.index(max(ranges))
        box.sort(key=lambda c: (c[axis], c))
        half = len(box) // 2
        boxes.remove(box)
        boxes += [box[:half], box[half:]]
    palette = []
    for box in sorted(boxes):
        palette.append(tuple(sum(c[i] for c in box) // len(box) for i in range(3)))
    return palette


def quantise(image, backdrop):
    """256 colours and a one-bit mask: pixels at least half covered are blended over the backdrop
    they will be shown on; the rest become transparent. Returns the palette and, per pixel, its
    index or None."""
    size = len(image)
    solid = {}
    for y in range(size):
        for x in range(size):
            r, g, b, a = image[y][x]
            if a >= 0.5:
                solid[(x, y)] = tuple(
                    to_byte(c * a + k / 255 * (1 - a)) for c, k in zip((r, g, b), backdrop))
    # Index 0 stays black for the transparent pixels (the mask hides them).
    palette = [(0, 0, 0)] + median_cut(list(solid.values()), 255)
    nearest = {}
    for colour in sorted(set(solid.values())):
        nearest[colour] = min(range(1, len(palette)), key=lambda i: (
            sum((p - q) ** 2 for p, q in zip(palette[i], colour)), i))
    palette += [(0, 0, 0)] * (256 - len(palette))
    indices = [[nearest[solid[(x, y)]] if (x, y) in solid else None for x in range(size)]
               for y in range(size)]
    return palette, indices


def icon_entry_8bit(palette, indices):
    size = len(indices)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pixels = bytearray()
    for row in reversed(indices):
        pixels += bytes(0 if i is None else i for i in row)
    mask = mask_rows(size, lambda x, y: indices[y][x] is not None)
    return bitmap_header(size, 8, 256) + table + bytes(pixels) + mask


def icon_file(kind, entries):
    """kind 1: icon, 2: cursor. entries: (size, colour count, planes/hot x, bits/hot y, data)."""
    header = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    blobs = b""
    for size, colours, field1, field2, data in entries:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, field1, field2,
                                 len(data), offset)
        offset += len(data)
        blobs += data
    return header + directory + blobs


def cursor_entry(grid):
    size = len(grid)
    stride = 4
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if grid[y][x] == "W":
                row[x // 8] |= 0x80 >> (x % 8)
        xor += row
    mask = mask_rows(size, lambda x, y: grid[y][x] != " ")
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return bitmap_header(size, 1, 2) + table + bytes(xor) + mask


# --------------------------------------------------------------------------------------------
# PNG preview.
# --------------------------------------------------------------------------------------------


def encode_png(width, height, rows):
    raw = b"".join(b"\x00" + bytes(row) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def shown_colour(pixel, backdrop, is_hotspot):
    """The colour a preview shows for one pixel of any of the pictures, or None (see-through)."""
    if pixel is None:
        return None
    if isinstance(pixel, str):  # the cursor's grid
        if is_hotspot:
            return (255, 0, 0)
        return {"K": (0, 0, 0), "W": (255, 255, 255), " ": None}[pixel]
    if len(pixel) == 4:  # straight-alpha floats
        r, g, b, a = pixel
        return tuple(to_byte(c * a + k / 255 * (1 - a)) for c, k in zip((r, g, b), backdrop))
    return pixel  # a palette colour


def preview(path, icons, emblem, cursor_grid, hotspot):
    """Every picture magnified 6x, on white, on the panel's grey and on dark blue."""
    zoom, gap = 6, 12
    backdrops = [(255, 255, 255), (240, 240, 240), (20, 40, 80)]
    tiles = list(icons) + [emblem, cursor_grid]
    tile_w = max(len(t) for t in tiles) * zoom
    width = gap + len(tiles) * (tile_w + gap)
    height = gap + len(backdrops) * (tile_w + gap)
    canvas = [[(128, 128, 128)] * width for _ in range(height)]
    for row, backdrop in enumerate(backdrops):
        for col, tile in enumerate(tiles):
            ox, oy = gap + col * (tile_w + gap), gap + row * (tile_w + gap)
            for y in range(tile_w):
                canvas[oy + y][ox:ox + tile_w] = [backdrop] * tile_w
            for y, line in enumerate(tile):
                for x, pixel in enumerate(line):
                    is_hotspot = tile is cursor_grid and (x, y) == hotspot
                    colour = shown_colour(pixel, backdrop, is_hotspot)
                    if colour is None:
                        continue
                    left = ox + x * zoom
                    for dy in range(zoom):
                        canvas[oy + y * zoom + dy][left:left + zoom] = [colour] * zoom
    rows = [b"".join(bytes(c) for c in row) for row in canvas]
    with open(path, "wb") as f:
        f.write(encode_png(width, height, rows))


# --------------------------------------------------------------------------------------------


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "src", "res"))
    parser.add_argument("--preview", metavar="OUT.png")
    args = parser.parse_args()

    icons = [render(size, frame_layers(FRAME_LAYOUTS[size])) for size in sorted(FRAME_LAYOUTS)]
    emblem = render(32, emblem_layers())
    panel_face = (240, 240, 240)
    palette, indices = quantise(emblem, panel_face)
    grid, hotspot = finder_masks()

    if args.preview:
        # The emblem as its 256-colour entry shows it: quantised, its mask cutting the edge.
        shown = [[None if i is None else palette[i] for i in row] for row in indices]
        preview(args.preview, icons, shown, grid, hotspot)
        return 0

    os.makedirs(args.out, exist_ok=True)
    outputs = {
        "glaze.ico": icon_file(1, [(len(img), 0, 1, 32, icon_entry_32bit(img)) for img in icons]),
        "emblem.ico": icon_file(1, [(32, 0, 1, 8, icon_entry_8bit(palette, indices))]),
        "finder.cur": icon_file(2, [(32, 2, hotspot[0], hotspot[1], cursor_entry(grid))]),
    }
    for name, data in outputs.items():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
