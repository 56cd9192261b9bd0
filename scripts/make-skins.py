#!/usr/bin/env python3
"""Generate glaze's bundled skins (skin.ini + PNG images) from a parameter table.

    python3 scripts/make-skins.py                 # regenerate skins/<Name>/ in the repo
    python3 scripts/make-skins.py --out DIR       # write the skins somewhere else
    python3 scripts/make-skins.py --preview OUT.png WIDTH HEIGHT SKINDIR [--bare] [--bg wallpaper]

Standard library only. Images are rendered into float RGBA buffers
(premultiplied while drawing) and written as 8-bit non-premultiplied RGBA PNGs.
Output is deterministic: running the script twice gives identical files.

How a skin is put together (and why it is drawn the way it is):
  * Item 0 is the frame. The program draws it as a nine-slice: corners 1:1,
    edges stretched along their length with a plain (non-smoothing) stretch, so
    every edge is uniform along its length and all the rounding sits inside the
    corner cells (shadow + radius <= left/right/bottom border).
  * Every further item is a plain copy, alpha included, so a button cell
    carries the exact frame pixels it covers as its own background.
  * The accent line is a stretched item. Such an item grows in BOTH directions
    by as much as the interior has changed since the skin was loaded, so it
    sits on the bottom rows of the caption band and reaches down into the
    interior (hidden by the content window); its rows are identical, so the
    vertical scaling never shows.
"""

import argparse
import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Skin table: edit here to vary or add skins.
# Colours are (r, g, b, a) floats in 0..1, non-premultiplied; 8-bit triples
# are used where a colour must be exact (the opaque separator and accent).
# ---------------------------------------------------------------------------

SKINS = [
    dict(
        name="Aurora",
        frame_size=(160, 140),
        shadow=7, radius=7, left=14, top=34, right=14, bottom=14,
        shadow_alpha=0.50, shadow_dy=1,
        outline=(0.04, 0.10, 0.22, 0.90),
        highlight=(0.92, 0.97, 1.00, 0.60),
        gloss_top=(0.86, 0.94, 1.00, 0.86),
        gloss_bottom=(0.56, 0.74, 0.94, 0.80),
        body_top=(0.24, 0.46, 0.76, 0.76),
        body=(0.33, 0.55, 0.82, 0.72),
        gloss_split=0.46,
        inner_highlight=(0.80, 0.91, 1.00, 0.45),
        separator=(0x10, 0x22, 0x40),
        accent=dict(colour=(0x6C, 0xE6, 0xFF), x=14, width=214, fade=72, extra=150),
        buttons=dict(
            style="capsule", w=26, h=18, gap=4, spacing=2, radius=4.5,
            glyph=(1.0, 1.0, 1.0, 0.96), glyph_shadow=(0.02, 0.10, 0.25, 0.45),
            fill=(1.0, 1.0, 1.0, 0.12), fill_hover=(0.46, 0.76, 1.00, 0.50),
            glow=(0.70, 0.96, 1.00, 0.85),
            fill_pressed=(0.02, 0.12, 0.30, 0.45),
            rim=(1.0, 1.0, 1.0, 0.38), rim_dark=(0.03, 0.10, 0.24, 0.55),
            close_hover=(0.90, 0.22, 0.20, 0.92), close_pressed=(0.62, 0.10, 0.10, 0.95),
            disabled_glyph=(0.70, 0.76, 0.84, 0.45),
            next_glyph="cycle",
        ),
        emblem=None,
    ),
    dict(
        name="Graphite",
        frame_size=(160, 140),
        shadow=7, radius=6, left=13, top=32, right=13, bottom=13,
        shadow_alpha=0.60, shadow_dy=1,
        outline=(0.0, 0.0, 0.0, 0.92),
        highlight=(1.0, 1.0, 1.0, 0.22),
        gloss_top=(0.34, 0.35, 0.37, 0.88),
        gloss_bottom=(0.22, 0.23, 0.25, 0.86),
        body_top=(0.12, 0.12, 0.13, 0.84),
        body=(0.16, 0.16, 0.17, 0.80),
        gloss_split=0.50,
        inner_highlight=(1.0, 1.0, 1.0, 0.14),
        separator=(0x08, 0x08, 0x08),
        accent=dict(colour=(0xFF, 0xAC, 0x2C), x=13, width=206, fade=80, extra=150),
        buttons=dict(
            style="flat", w=24, h=18, gap=4, spacing=1, radius=3.5,
            glyph=(0.86, 0.87, 0.89, 0.95), glyph_shadow=(0.0, 0.0, 0.0, 0.55),
            fill=None, fill_hover=(1.0, 1.0, 1.0, 0.16),
            fill_pressed=(0.0, 0.0, 0.0, 0.45),
            rim=None, rim_dark=None,
            close_hover=(0.85, 0.18, 0.16, 0.95), close_pressed=(0.55, 0.08, 0.08, 0.95),
            hover_glyph=(1.0, 1.0, 1.0, 1.0),
            disabled_glyph=(0.55, 0.55, 0.57, 0.40),
            next_glyph="palette",
        ),
        emblem=dict(x=15, size=16, colour=(1.00, 0.67, 0.17), dark=(0.55, 0.27, 0.02)),
    ),
    dict(
        name="Jade",
        frame_size=(160, 140),
        shadow=6, radius=8, left=14, top=34, right=14, bottom=14,
        shadow_alpha=0.48, shadow_dy=1,
        outline=(0.02, 0.16, 0.10, 0.90),
        highlight=(0.85, 1.00, 0.92, 0.55),
        gloss_top=(0.72, 0.95, 0.83, 0.84),
        gloss_bottom=(0.36, 0.70, 0.54, 0.78),
        body_top=(0.10, 0.42, 0.30, 0.76),
        body=(0.16, 0.50, 0.36, 0.72),
        gloss_split=0.48,
        inner_highlight=(0.78, 1.00, 0.88, 0.40),
        separator=(0x04, 0x28, 0x18),
        accent=dict(colour=(0xF6, 0xE8, 0x7C), x=14, width=214, fade=72, extra=150),
        buttons=dict(
            style="orb", w=22, h=20, gap=4, spacing=1, radius=8.0,
            glyph=(0.03, 0.22, 0.14, 0.92), glyph_shadow=(1.0, 1.0, 1.0, 0.35),
            orb_top=(0.86, 1.00, 0.92, 0.95), orb_bottom=(0.36, 0.76, 0.56, 0.95),
            orb_hover_top=(0.95, 1.00, 0.97, 1.0), orb_hover_bottom=(0.50, 0.90, 0.68, 1.0),
            orb_pressed_top=(0.30, 0.62, 0.46, 1.0), orb_pressed_bottom=(0.55, 0.84, 0.68, 1.0),
            orb_disabled=(0.62, 0.70, 0.66, 0.55),
            rim_dark=(0.02, 0.18, 0.10, 0.85),
            close_top=(0.98, 0.62, 0.54, 0.97), close_bottom=(0.84, 0.26, 0.20, 0.97),
            close_glyph=(1.0, 0.97, 0.95, 0.97), close_glyph_shadow=(0.45, 0.04, 0.02, 0.55),
            halo=(0.80, 1.00, 0.88, 0.50),
            disabled_glyph=(0.30, 0.38, 0.34, 0.55),
            next_glyph="cycle",
        ),
        emblem=None,
    ),
]

BUTTON_ORDER = [  # left to right
    (5, "next", "next"),
    (1, "min", "min"),
    (2, "max", "max"),
    (3, "close", "close"),
]

# ---------------------------------------------------------------------------
# PNG reading and writing
# ---------------------------------------------------------------------------

PNG_SIG = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(width, height, rgba):
    """8-bit RGBA, non-interlaced; rows use the Sub filter (deterministic, compact)."""
    stride = width * 4
    raw = bytearray()
    for y in range(height):
        row = rgba[y * stride:(y + 1) * stride]
        raw.append(1)
        raw += bytes(row[:4])
        raw += bytes((row[i] - row[i - 4]) & 0xFF for i in range(4, stride))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return PNG_SIG + _chunk(b"IHDR", ihdr) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b"")


def decode_png(data):
    """Return (width, height, RGBA bytes) for 8-bit RGBA or RGB non-interlaced PNGs."""
    if data[:8] != PNG_SIG:
        raise ValueError("not a PNG file")
    pos, idat, header = 8, bytearray(), None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if zlib.crc32(kind + body) & 0xFFFFFFFF != struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]:
            raise ValueError("bad CRC in %r chunk" % kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None:
        raise ValueError("no IHDR")
    width, height, depth, ctype, _, _, interlace = header
    if depth != 8 or ctype not in (2, 6) or interlace:
        raise ValueError("unsupported PNG layout")
    bpp = 4 if ctype == 6 else 3
    stride = width * bpp
    raw = zlib.decompress(bytes(idat))
    if len(raw) != height * (stride + 1):
        raise ValueError("bad image data length")
    out = bytearray(height * stride)
    prev = bytearray(stride)
    for y in range(height):
        ftype = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 0xFF
            elif ftype == 2:
                line[i] = (line[i] + b) & 0xFF
            elif ftype == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
            elif ftype != 0:
                raise ValueError("bad filter type")
        out[y * stride:(y + 1) * stride] = line
        prev = line
    if bpp == 3:
        rgba = bytearray()
        for i in range(0, len(out), 3):
            rgba += out[i:i + 3] + b"\xff"
        out = rgba
    return width, height, bytes(out)


def read_png(path):
    with open(path, "rb") as f:
        return decode_png(f.read())


# ---------------------------------------------------------------------------
# Float canvas (premultiplied while drawing)
# ---------------------------------------------------------------------------

def clamp01(v):
    return 0.0 if v < 0.0 else (1.0 if v > 1.0 else v)


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def over(base, top, cover=1.0):
    """Source-over of two non-premultiplied colours, with extra coverage for the top one."""
    ta = top[3] * cover
    a = ta + base[3] * (1.0 - ta)
    if a <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((t * ta + b * base[3] * (1.0 - ta)) / a for t, b in zip(top[:3], base[:3])) + (a,)


def smoothstep(e0, e1, v):
    t = clamp01((v - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def get(self, x, y):
        return self.px[y * self.w + x]

    def put(self, x, y, colour):
        """Replace a pixel with a non-premultiplied colour."""
        r, g, b, a = colour
        self.px[y * self.w + x] = [r * a, g * a, b * a, a]

    def blend(self, x, y, colour, cover=1.0):
        """Source-over a non-premultiplied colour with extra coverage."""
        if not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = colour
        a *= cover
        if a <= 0.0:
            return
        p = self.px[y * self.w + x]
        k = 1.0 - a
        p[0] = r * a + p[0] * k
        p[1] = g * a + p[1] * k
        p[2] = b * a + p[2] * k
        p[3] = a + p[3] * k

    def to_rgba8(self):
        out = bytearray(self.w * self.h * 4)
        for i, (r, g, b, a) in enumerate(self.px):
            a8 = int(round(clamp01(a) * 255))
            if a8 == 0:
                continue
            out[i * 4:i * 4 + 4] = bytes((
                int(round(clamp01(r / a) * 255)),
                int(round(clamp01(g / a) * 255)),
                int(round(clamp01(b / a) * 255)),
                a8))
        return bytes(out)


def sdf_round_rect(px, py, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def sdf_segment(px, py, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - half_width


def sdf_box(px, py, x0, y0, x1, y1):
    return sdf_round_rect(px, py, x0, y0, x1, y1, 0.0)


def sdf_triangle(px, py, pts):
    """Signed distance to a triangle given as three (x, y) points."""
    d = float("inf")
    sign_pos = sign_neg = False
    for i in range(3):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % 3]
        d = min(d, sdf_segment(px, py, ax, ay, bx, by, 0.0))
        cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax)
        sign_pos |= cross > 0
        sign_neg |= cross < 0
    inside = not (sign_pos and sign_neg)
    return -d if inside else d


def coverage(sdf, x, y, samples=4):
    """Anti-aliased coverage of pixel (x, y) for a signed distance function."""
    total = 0.0
    for j in range(samples):
        for i in range(samples):
            if sdf(x + (i + 0.5) / samples, y + (j + 0.5) / samples) <= 0.0:
                total += 1.0
    return total / (samples * samples)


# ---------------------------------------------------------------------------
# The frame image (item 0)
# ---------------------------------------------------------------------------

def caption_colour(skin, py):
    """Glass colour of the caption band at height py: a gloss half over a deeper half."""
    S, T = skin["shadow"], skin["top"]
    u = (py - (S + 1)) / float(T - 3 - (S + 1))
    split = skin["gloss_split"]
    if u < split:
        return lerp(skin["gloss_top"], skin["gloss_bottom"], smoothstep(-0.2, 1.0, u / split))
    return lerp(skin["body_top"], skin["body"], clamp01((u - split) / (1.0 - split)))


def render_frame(skin):
    W, H = skin["frame_size"]
    S, r = skin["shadow"], skin["radius"]
    L, T, R, B = skin["left"], skin["top"], skin["right"], skin["bottom"]
    assert S + r <= min(L, R, B), "rounded corner must fit in the corner cells"
    dy = skin["shadow_dy"]
    reach = S - dy
    sep = tuple(c / 255.0 for c in skin["separator"]) + (1.0,)
    # The ring around the interior: 1 px at the sides and bottom, 2 px under the caption.
    ox0, oy0, ox1, oy1 = L - 1, T - 2, W - R + 1, H - B + 1
    canvas = Canvas(W, H)
    split_y = S + 1 + skin["gloss_split"] * (T - 3 - (S + 1))
    for y in range(H):
        py = y + 0.5
        cap = caption_colour(skin, py) if y < T else skin["body"]
        if y < T and abs(py - split_y) < 0.5:
            # Soften the gloss step over the one row that straddles it.
            above = caption_colour(skin, split_y - 0.01)
            below = caption_colour(skin, split_y + 0.01)
            cap = lerp(above, below, py + 0.5 - split_y)
        for x in range(W):
            px = x + 0.5
            d = sdf_round_rect(px, py, S, S, W - S, H - S, r)
            # Soft outer shadow, slightly dropped, fading to nothing at the image edge.
            ds = sdf_round_rect(px, py - dy, S, S, W - S, H - S, r)
            t = clamp01(ds / reach) if ds > 0 else 0.0
            shadow_a = skin["shadow_alpha"] * (1.0 - t) ** 2.4 * (1.0 - t * 0.15)
            cov = clamp01(0.5 - d)
            if cov <= 0.0:
                canvas.put(x, y, (0.0, 0.0, 0.0, shadow_a))
                continue
            in_ring = ox0 <= x < ox1 and oy0 <= y < oy1
            in_interior = L <= x < W - R and T <= y < H - B
            if in_ring and not in_interior:
                glass = sep
            elif in_interior:
                glass = cap
            else:
                e = -d  # depth into the glass from its outer edge
                glass = cap
                if max(ox0 - 1 - x, x - ox1, oy0 - 1 - y, y - oy1) == 0:
                    glass = over(glass, skin["inner_highlight"])
                glass = over(glass, skin["highlight"], clamp01(2.5 - e) * clamp01(e - 0.5))
                glass = over(glass, skin["outline"], clamp01(1.5 - e))
            # Mix by coverage: the shadow only shows where the glass does not cover.
            ga = glass[3] * cov
            sa = shadow_a * (1.0 - cov)
            a = ga + sa
            if a <= 0.0:
                canvas.put(x, y, (0.0, 0.0, 0.0, 0.0))
            else:
                canvas.put(x, y, (glass[0] * ga / a, glass[1] * ga / a, glass[2] * ga / a, a))
    return canvas


# ---------------------------------------------------------------------------
# The accent line (stretched item)
# ---------------------------------------------------------------------------

def render_accent(skin):
    """The accent line: an opaque strip of identical rows, drawn over the
    caption's separator rows and fading into the separator colour at its ends.

    The image is a third of the declared width, so the program only ever
    enlarges it (which repeats pixels) unless the frame shrinks a long way
    below its size at load; shrinking with the default stretch mode ANDs
    neighbouring pixels together, which would speckle a gradient."""
    acc = skin["accent"]
    width, fade = acc["width"], acc["fade"]
    img_w = -(-width // acc.get("scale", 3))
    sep = skin["separator"]
    line = bytearray()
    for i in range(img_w):
        px = (i + 0.5) * width / float(img_w)
        # Rises quickly from the left end, holds, then fades out over a long tail.
        t = min(smoothstep(0.0, fade * 0.4, px), 1.0 - smoothstep(width - fade, width, px))
        colour = lerp(sep, acc["colour"], t)
        line += bytes(int(round(c)) for c in colour) + b"\xff"
    rows = 2
    return img_w, rows, bytes(line) * rows


# ---------------------------------------------------------------------------
# Glyphs and buttons
# ---------------------------------------------------------------------------

def glyph_sdf(kind, cx, cy):
    """Signed distance function of a caption glyph centred on (cx, cy)."""
    # Cells have even sizes, so (cx, cy) falls on a pixel corner and the
    # straight strokes below sit on whole pixels and stay crisp.
    if kind == "min":
        return lambda x, y: sdf_box(x, y, cx - 4.0, cy + 2.0, cx + 4.0, cy + 4.0)
    if kind == "max":
        def f(x, y):
            outer = sdf_box(x, y, cx - 4.0, cy - 4.0, cx + 4.0, cy + 4.0)
            inner = sdf_box(x, y, cx - 3.0, cy - 2.0, cx + 3.0, cy + 3.0)
            return max(outer, -inner)
        return f
    if kind == "close":
        k = 3.5
        return lambda x, y: min(sdf_segment(x, y, cx - k, cy - k, cx + k, cy + k, 0.95),
                                sdf_segment(x, y, cx - k, cy + k, cx + k, cy - k, 0.95))
    if kind == "cycle":
        # A clockwise circular arrow: an open ring with its head at the top.
        rad, a0, a1 = 3.6, math.radians(-25.0), math.radians(245.0)
        ends = [(cx + rad * math.cos(a), cy + rad * math.sin(a)) for a in (a0, a1)]
        bx, by = ends[1]
        tx, ty = -math.sin(a1), math.cos(a1)      # direction of travel at the head
        nx, ny = math.cos(a1), math.sin(a1)       # outward normal there
        head = [(bx + tx * 3.0, by + ty * 3.0),
                (bx + nx * 2.3 - tx * 0.4, by + ny * 2.3 - ty * 0.4),
                (bx - nx * 2.3 - tx * 0.4, by - ny * 2.3 - ty * 0.4)]

        def f(x, y):
            dx, dy = x - cx, y - cy
            ang = math.atan2(dy, dx)
            if ang < a0:
                ang += 2 * math.pi
            if ang <= a1:
                ring = abs(math.hypot(dx, dy) - rad) - 0.8
            else:
                ring = min(math.hypot(x - ex, y - ey) for ex, ey in ends) - 0.8
            return min(ring, sdf_triangle(x, y, head))
        return f
    if kind == "palette":
        dots = [(cx - 3.2, cy - 1.8), (cx + 3.2, cy - 1.8), (cx, cy + 3.4)]
        return lambda x, y: min(math.hypot(x - dx, y - dy) - 2.1 for dx, dy in dots)
    raise ValueError(kind)


def palette_dot_colour(cx, cy, x, y):
    """Per-dot tint for the palette glyph: one warm, one cool, one green dot."""
    dots = [((cx - 3.2, cy - 1.8), (1.00, 0.55, 0.25)), ((cx + 3.2, cy - 1.8), (0.35, 0.70, 1.00)),
            ((cx, cy + 3.4), (0.45, 0.90, 0.45))]
    return min(dots, key=lambda d: math.hypot(x - d[0][0], y - d[0][1]))[1]


def draw_shape(canvas, ox, oy, w, h, sdf, colour_at, samples=4):
    """Blend an anti-aliased shape; colour_at(x, y) gives its colour at a point."""
    for y in range(h):
        for x in range(w):
            c = coverage(sdf, x, y, samples)
            if c > 0.0:
                canvas.blend(ox + x, oy + y, colour_at(x + 0.5, y + 0.5), c)


def button_cell(skin, kind, state, background):
    """Render one state cell (0 normal, 1 hover, 2 pressed, 3 disabled) of a button."""
    bt = skin["buttons"]
    w, h, style = bt["w"], bt["h"], bt["style"]
    assert w % 2 == 0 and h % 2 == 0, "glyphs are laid out on even cells"
    cell = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            cell.px[y * w + x] = list(background.get(x, y))
    glyph_kind = bt["next_glyph"] if kind == "next" else kind
    is_close = kind == "close"
    sink = 1.0 if state == 2 else 0.0
    cx, cy = w / 2.0, h / 2.0 + sink
    glyph_colour = bt["glyph"]

    if style in ("capsule", "flat"):
        plate = lambda x, y: sdf_round_rect(x, y, 1.0, 1.0, w - 1.0, h - 1.0, bt["radius"])
        fill = {0: bt["fill"], 1: bt["fill_hover"], 2: bt["fill_pressed"], 3: None}[state]
        if is_close and state == 1:
            fill = bt["close_hover"]
        elif is_close and state == 2:
            fill = bt["close_pressed"]
        if fill is not None:
            top = (min(1.0, fill[0] + 0.18), min(1.0, fill[1] + 0.18), min(1.0, fill[2] + 0.18), fill[3])
            draw_shape(cell, 0, 0, w, h, plate, lambda x, y: lerp(top, fill, y / h))
            if state != 2:
                # Glassy sheen over the upper half of the plate.
                sheen = lambda x, y: max(plate(x, y), y - h * 0.48)
                draw_shape(cell, 0, 0, w, h, sheen, lambda x, y: (1.0, 1.0, 1.0, 0.16 if fill[3] < 0.5 else 0.22))
            glow = bt.get("glow") if state == 1 and not is_close else None
            if glow:
                # Light welling up from the bottom edge of the plate.
                def glow_at(x, y):
                    d = math.hypot((x - w / 2.0) / (w * 0.55), (y - h) / (h * 0.75))
                    return glow[:3] + (glow[3] * (1.0 - smoothstep(0.0, 1.0, d)),)
                draw_shape(cell, 0, 0, w, h, plate, glow_at)
        if bt.get("rim_dark") and state != 3:
            ring = lambda x, y: abs(sdf_round_rect(x, y, 0.5, 0.5, w - 0.5, h - 0.5, bt["radius"] + 0.5)) - 0.5
            draw_shape(cell, 0, 0, w, h, ring, lambda x, y: bt["rim_dark"])
        if bt.get("rim") and state in (0, 1):
            ring = lambda x, y: abs(sdf_round_rect(x, y, 1.5, 1.5, w - 1.5, h - 1.5, bt["radius"] - 0.5)) - 0.5
            strength = 1.0 if state == 1 else 0.7
            draw_shape(cell, 0, 0, w, h, ring,
                       lambda x, y: bt["rim"][:3] + (bt["rim"][3] * strength * (1.0 - 0.6 * y / h),))
        if state == 1 and bt.get("hover_glyph"):
            glyph_colour = bt["hover_glyph"]
        if is_close and state in (1, 2):
            glyph_colour = (1.0, 1.0, 1.0, 1.0)
    elif style == "orb":
        rad = bt["radius"]
        orb = lambda x, y: math.hypot(x - w / 2.0, y - h / 2.0) - rad
        if state == 3:
            top = bottom = bt["orb_disabled"]
        elif is_close:
            top, bottom = bt["close_top"], bt["close_bottom"]
            if state == 1:
                top, bottom = lerp(top, (1, 1, 1, 1), 0.25), lerp(bottom, (1, 0.45, 0.35, 1), 0.35)
            elif state == 2:
                top, bottom = lerp(top, (0.55, 0.08, 0.04, 1), 0.45), lerp(bottom, (0.45, 0.05, 0.02, 1), 0.35)
        else:
            top, bottom = {0: (bt["orb_top"], bt["orb_bottom"]),
                           1: (bt["orb_hover_top"], bt["orb_hover_bottom"]),
                           2: (bt["orb_pressed_top"], bt["orb_pressed_bottom"])}[state]
        if state == 1 and bt.get("halo"):
            # A soft halo around the orb under the mouse.
            halo = lambda x, y: math.hypot(x - w / 2.0, y - h / 2.0) - rad - 1.4
            draw_shape(cell, 0, 0, w, h, halo, lambda x, y: bt["halo"])
        else:
            # Soft drop shadow under the orb.
            drop = lambda x, y: math.hypot(x - w / 2.0, y - h / 2.0 - 1.0) - rad - 0.6
            draw_shape(cell, 0, 0, w, h, drop, lambda x, y: (0.0, 0.0, 0.0, 0.25))
        draw_shape(cell, 0, 0, w, h, orb,
                   lambda x, y: lerp(top, bottom, clamp01((y - (h / 2.0 - rad)) / (2 * rad))))
        if state != 3:
            rim = lambda x, y: abs(orb(x, y) + 0.5) - 0.5
            draw_shape(cell, 0, 0, w, h, rim, lambda x, y: bt["rim_dark"])
        if state in (0, 1):
            sheen = lambda x, y: math.hypot((x - w / 2.0) / 1.25, y - (h / 2.0 - rad * 0.42)) - rad * 0.52
            draw_shape(cell, 0, 0, w, h, sheen,
                       lambda x, y: (1.0, 1.0, 1.0, 0.55 * (1.0 - clamp01((y - (h / 2.0 - rad)) / rad))))
        if is_close:
            glyph_colour = bt["close_glyph"]
    if state == 3:
        glyph_colour = bt["disabled_glyph"]

    sdf = glyph_sdf(glyph_kind, cx, cy)
    shadow = bt.get("close_glyph_shadow") if is_close and style == "orb" else bt.get("glyph_shadow")
    if state != 3 and shadow:
        # One pixel down: a drop shadow for light glyphs, an engraving for dark ones.
        draw_shape(cell, 0, 0, w, h, lambda x, y: sdf(x, y - 1.0), lambda x, y: shadow)
    if glyph_kind == "palette" and state != 3:
        def colour_at(x, y):
            tint = palette_dot_colour(cx, cy, x, y)
            mix = 0.25 if state != 1 else 0.05
            return lerp(tint, glyph_colour[:3], mix) + (glyph_colour[3],)
        draw_shape(cell, 0, 0, w, h, sdf, colour_at)
    else:
        draw_shape(cell, 0, 0, w, h, sdf, lambda x, y: glyph_colour)
    return cell


def render_emblem(skin, background):
    """The small gem at the top left: shown through its disabled cell, so all cells match."""
    em = skin["emblem"]
    n = em["size"]
    cell = Canvas(n, n)
    for y in range(n):
        for x in range(n):
            cell.px[y * n + x] = list(background.get(x, y))
    c = n / 2.0

    def gem(x, y):
        return (abs(x - c) + abs(y - c)) / math.sqrt(2.0) - (c - 1.5) / math.sqrt(2.0)

    glow = lambda x, y: gem(x, y) - 1.2
    draw_shape(cell, 0, 0, n, n, glow, lambda x, y: em["colour"] + (0.18,))
    light = em["colour"]
    dark = em["dark"]

    def facet(x, y):
        # Four facets: lit from the top left.
        if x <= c and y <= c:
            return lerp(light, (1.0, 1.0, 1.0), 0.35) + (1.0,)
        if x > c and y <= c:
            return light + (1.0,)
        if x <= c and y > c:
            return lerp(light, dark, 0.45) + (1.0,)
        return dark + (1.0,)
    draw_shape(cell, 0, 0, n, n, gem, facet)
    inner = lambda x, y: (abs(x - c) + abs(y - c)) / math.sqrt(2.0) - (c - 5.5) / math.sqrt(2.0)
    draw_shape(cell, 0, 0, n, n, inner, lambda x, y: lerp(light, (1.0, 1.0, 0.9), 0.5) + (0.9,))
    return cell


def crop(canvas, x0, y0, w, h):
    out = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            out.px[y * w + x] = list(canvas.get(x0 + x, y0 + y))
    return out


def strip(cells):
    """Lay equal cells side by side into one horizontal strip."""
    w, h = cells[0].w, cells[0].h
    out = Canvas(w * len(cells), h)
    for i, cell in enumerate(cells):
        for y in range(h):
            for x in range(w):
                out.px[y * out.w + i * w + x] = list(cell.get(x, y))
    return out


# ---------------------------------------------------------------------------
# Building a skin
# ---------------------------------------------------------------------------

def item_line(action, x, y, w, h, stretch, disabled, label, image):
    line = "%d,%d,%d,%d,%d,%d,%d,%s,%s" % (action, x, y, w, h, stretch, disabled, label, image)
    assert len(line) <= 127 and line.isascii()
    return line


def build_skin(skin):
    """Return ({file name: PNG bytes}, [item lines]) for one skin."""
    files, items = {}, []
    W, H = skin["frame_size"]
    L, T, R, B = skin["left"], skin["top"], skin["right"], skin["bottom"]
    S = skin["shadow"]
    frame = render_frame(skin)
    files["frame.png"] = encode_png(W, H, frame.to_rgba8())
    items.append(item_line(0, L, T, R, B, 0, 0, "frame", "frame.png"))

    acc = skin["accent"]
    aw, ah, apx = render_accent(skin)
    files["accent.png"] = encode_png(aw, ah, apx)
    items.append(item_line(0, acc["x"], T - 2, acc["width"], 2 + acc["extra"], 1, 1, "accent", "accent.png"))

    # The usable caption glass lies between the outer outline and the separator.
    glass_top, glass_bottom = S + 1, T - 2
    if skin["emblem"]:
        em = skin["emblem"]
        n = em["size"]
        ey = glass_top + (glass_bottom - glass_top - n) // 2
        cell = render_emblem(skin, crop(frame, em["x"], ey, n, n))
        files["emblem.png"] = encode_png(4 * n, n, strip([cell] * 4).to_rgba8())
        items.append(item_line(0, em["x"], ey, n, n, 0, 1, "emblem", "emblem.png"))

    bt = skin["buttons"]
    bw, bh = bt["w"], bt["h"]
    by = glass_top + (glass_bottom - glass_top - bh + 1) // 2
    count = len(BUTTON_ORDER)
    for i, (action, label, kind) in enumerate(BUTTON_ORDER):
        from_right = R + bt["gap"] + bw + (count - 1 - i) * (bw + bt["spacing"])
        x = -from_right
        assert W + x >= L, "buttons must lie over the stretched top edge or the right corner"
        background = crop(frame, W + x, by, bw, bh)
        cells = [button_cell(skin, kind, state, background) for state in range(4)]
        name = "%s.png" % label
        files[name] = encode_png(4 * bw, bh, strip(cells).to_rgba8())
        items.append(item_line(action, x, by, bw, bh, 0, 0, label, name))
    return files, items


def skin_ini(items):
    lines = ["; Generated by scripts/make-skins.py: change the table there and run it again.", "[SKININFO]"] + ["SKINNUM%d=%s" % (i, line) for i, line in enumerate(items)]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def generate(out_dir, skins=SKINS):
    for skin in skins:
        files, items = build_skin(skin)
        target = os.path.join(out_dir, skin["name"])
        os.makedirs(target, exist_ok=True)
        files["skin.ini"] = skin_ini(items)
        for name in sorted(files):
            with open(os.path.join(target, name), "wb") as f:
                f.write(files[name])
        print("%s: %s" % (target, ", ".join(sorted(files))))


# ---------------------------------------------------------------------------
# Preview: compose a skin the way the program does
# ---------------------------------------------------------------------------

def parse_skin_ini(path):
    """Return the item lines of a skin.ini, split into fields, in key order."""
    values = {}
    with open(path, "rb") as f:
        text = f.read().decode("ascii")
    section = None
    for raw in text.splitlines():
        line = raw.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1].upper()
        elif "=" in line and section == "SKININFO":
            key, value = line.split("=", 1)
            values[key.strip().upper()] = value.strip()
    items = []
    while values.get("SKINNUM%d" % len(items)):
        items.append(values["SKINNUM%d" % len(items)].split(","))
    return items


class Rgba8:
    """A plain 8-bit RGBA image with the two copies the program uses."""

    def __init__(self, w, h, data=None):
        self.w, self.h = w, h
        self.data = bytearray(data) if data is not None else bytearray(w * h * 4)

    def copy_from(self, src, dx, dy, dw, dh, sx, sy, sw, sh):
        """Nearest-neighbour stretch copy, alpha included (no blending)."""
        if dw <= 0 or dh <= 0 or sw <= 0 or sh <= 0:
            return
        for y in range(dh):
            ty = dy + y
            if not 0 <= ty < self.h:
                continue
            syy = sy + (y * sh) // dh
            if not 0 <= syy < src.h:
                continue
            for x in range(dw):
                tx = dx + x
                sxx = sx + (x * sw) // dw
                if 0 <= tx < self.w and 0 <= sxx < src.w:
                    o, i = (ty * self.w + tx) * 4, (syy * src.w + sxx) * 4
                    self.data[o:o + 4] = src.data[i:i + 4]


def load_skin(skin_dir):
    """Return (item fields, images) of a skin directory; a missing or
    undecodable image becomes an empty one, as in the program."""
    items = parse_skin_ini(os.path.join(skin_dir, "skin.ini"))
    images = []
    for fields in items:
        try:
            w, h, data = read_png(os.path.join(skin_dir, fields[8]))
            images.append(Rgba8(w, h, data))
        except (OSError, ValueError):
            images.append(Rgba8(0, 0))
    return items, images


def compose(skin_dir, fw, fh, loaded_size=None):
    """Compose a frame of fw x fh; loaded_size is the frame size when the skin
    was loaded (stretched items grow from there), by default the same size."""
    items, images = load_skin(skin_dir)
    return compose_items(items, images, fw, fh, loaded_size)


def compose_items(items, images, fw, fh, loaded_size=None):
    num = [[int(v) for v in f[:7]] for f in items]
    L, T, R, B = num[0][1:5]
    mh, mv = L + R, T + B
    lw, lh = loaded_size or (fw, fh)
    iw0, ih0 = lw - mh, lh - mv
    out = Rgba8(fw, fh)
    src = images[0]
    IW, IH = src.w, src.h
    out.copy_from(src, 0, T, L, fh - mv, 0, T, L, IH - mv)
    out.copy_from(src, L, 0, fw - mh, T, L, 0, IW - mh, T)
    out.copy_from(src, fw - R, T, R, fh - mv, IW - R, T, R, IH - mv)
    out.copy_from(src, L, fh - B, fw - mh, B, L, IH - B, IW - mh, B)
    out.copy_from(src, 0, 0, L, T, 0, 0, L, T)
    out.copy_from(src, fw - R, 0, R, T, IW - R, 0, R, T)
    out.copy_from(src, 0, fh - B, L, B, 0, IH - B, L, B)
    out.copy_from(src, fw - R, fh - B, R, B, IW - R, IH - B, R, B)
    if num[0][5] == 1:
        out.copy_from(src, L, T, fw - mh, fh - mv, L, T, IW - mh, IH - mv)
    for (action, x, y, w, h, stretch, disabled), img in zip(num[1:], images[1:]):
        x = fw + x if x < 0 else x
        y = fh + y if y < 0 else y
        if stretch == 1:
            sw = max(0, fw - mh - iw0 + w)
            sh = max(0, fh - mv - ih0 + h)
            out.copy_from(img, x, y, sw, sh, 0, 0, img.w, img.h)
        else:
            sx = 3 * w if disabled == 1 else 0
            out.copy_from(img, x, y, w, h, sx, 0, w, h)
    return out, (L, T, R, B)


def background(kind, w, h):
    px = bytearray(w * h * 3)
    for y in range(h):
        for x in range(w):
            if kind == "wallpaper":
                u, v = x / float(w), y / float(h)
                r = 0.55 + 0.35 * math.sin(6.0 * u + 1.0) * math.cos(3.0 * v)
                g = 0.50 + 0.30 * math.sin(4.0 * v + 2.0 * u)
                b = 0.45 + 0.35 * math.cos(5.0 * u - 3.0 * v)
                c = (r, g, b)
            else:
                c = (0.80,) * 3 if ((x // 8) + (y // 8)) % 2 else (0.62,) * 3
            px[(y * w + x) * 3:(y * w + x) * 3 + 3] = bytes(int(clamp01(v) * 255) for v in c)
    return px


def preview(out_path, fw, fh, skin_dir, bare=False, bg="checker", loaded_size=None, hover=None):
    items, images = load_skin(skin_dir)
    frame, (L, T, R, B) = compose_items(items, images, fw, fh, loaded_size)
    if hover is not None:
        # Show one button in another state cell, as the mouse handling would.
        label, state = hover
        for f, img in zip(items[1:], images[1:]):
            if f[7] == label:
                x, y, cw, ch = (int(v) for v in f[1:5])
                x = fw + x if x < 0 else x
                y = fh + y if y < 0 else y
                frame.copy_from(img, x, y, cw, ch, state * cw, 0, cw, ch)
    if not bare:
        # Stand-in for the content window, which covers the interior exactly.
        for y in range(T, fh - B):
            for x in range(L, fw - R):
                shade = 240 if (y - T) > 22 or (y - T) < 2 else 226
                if (y - T) in (2, 3, 4) and L + 6 <= x < L + 90:
                    shade = 120
                frame.data[(y * fw + x) * 4:(y * fw + x) * 4 + 4] = bytes((shade, shade, shade + 4 if shade < 250 else 255, 255))
    margin = 24
    W, H = fw + 2 * margin, fh + 2 * margin
    base = background(bg, W, H)
    out = bytearray(W * H * 4)
    for y in range(H):
        for x in range(W):
            o = (y * W + x)
            r, g, b = base[o * 3:o * 3 + 3]
            fx, fy = x - margin, y - margin
            if 0 <= fx < fw and 0 <= fy < fh:
                i = (fy * fw + fx) * 4
                sr, sg, sb, sa = frame.data[i:i + 4]
                a = sa / 255.0
                r = int(round(sr * a + r * (1 - a)))
                g = int(round(sg * a + g * (1 - a)))
                b = int(round(sb * a + b * (1 - a)))
            out[o * 4:o * 4 + 4] = bytes((r, g, b, 255))
    with open(out_path, "wb") as f:
        f.write(encode_png(W, H, bytes(out)))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description="Generate glaze's bundled skins, or preview one.")
    ap.add_argument("--out", default=os.path.join(os.path.dirname(here), "skins"),
                    help="directory that receives one folder per skin (default: the repo's skins/)")
    ap.add_argument("--preview", nargs=4, metavar=("OUT.png", "WIDTH", "HEIGHT", "SKINDIR"),
                    help="compose SKINDIR at WIDTH x HEIGHT over a checkerboard into OUT.png")
    ap.add_argument("--bare", action="store_true", help="preview: leave the interior empty")
    ap.add_argument("--bg", choices=("checker", "wallpaper"), default="checker", help="preview background")
    ap.add_argument("--loaded", nargs=2, type=int, metavar=("W", "H"),
                    help="preview: frame size when the skin was loaded (default: the preview size)")
    ap.add_argument("--state", nargs=2, metavar=("LABEL", "CELL"),
                    help="preview: show the button LABEL in cell CELL (1 hover, 2 pressed, 3 disabled)")
    args = ap.parse_args(argv)
    if args.preview:
        out, w, h, skin_dir = args.preview
        hover = (args.state[0], int(args.state[1])) if args.state else None
        preview(out, int(w), int(h), skin_dir, args.bare, args.bg,
                tuple(args.loaded) if args.loaded else None, hover)
        print(out)
        return 0
    generate(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
