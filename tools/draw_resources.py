#!/usr/bin/env python3
"""Build Tapdeck's icon and cursors from the pixel-art text files in resources/art.

The binaries are committed next to their sources, so the output has to be
byte-for-byte reproducible: nothing here depends on time, locale or dict order.

Usage: python3 tools/draw_resources.py [--out DIR]
"""
import argparse
import struct
import sys
from pathlib import Path

ART_DIR = Path(__file__).resolve().parent.parent / "resources" / "art"

# The fixed 16-colour palette of 4-bit Windows bitmaps; a colour's palette
# index is its position here, so every image shares one palette.
VGA_COLOURS = [
    ("black", 0x000000), ("darkred", 0x800000), ("darkgreen", 0x008000),
    ("darkyellow", 0x808000), ("darkblue", 0x000080), ("darkmagenta", 0x800080),
    ("darkcyan", 0x008080), ("lightgrey", 0xC0C0C0), ("darkgrey", 0x808080),
    ("red", 0xFF0000), ("green", 0x00FF00), ("yellow", 0xFFFF00),
    ("blue", 0x0000FF), ("magenta", 0xFF00FF), ("cyan", 0x00FFFF),
    ("white", 0xFFFFFF),
]
COLOUR_INDEX = {name: i for i, (name, _) in enumerate(VGA_COLOURS)}
TRANSPARENT = "."

# (output file, 1 = icon / 2 = cursor, art files in the order they are stored)
OUTPUTS = [
    ("tapdeck.ico", 1, ["tapdeck32.txt", "tapdeck16.txt"]),
    ("move.cur", 2, ["move.txt"]),
    ("insert.cur", 2, ["insert.txt"]),
]


class ArtError(Exception):
    pass


def parse_pair(text, sep, where, what):
    try:
        a, b = (int(part) for part in text.split(sep))
        return a, b
    except ValueError:
        raise ArtError(f"{where}: {what} must look like N{sep}N, got '{text}'")


def load_art(path):
    """Return (width, height, hotspot or None, rows of palette indices, None = transparent)."""
    try:
        lines = path.read_text(encoding="utf-8").splitlines()
    except OSError as e:
        raise ArtError(f"{path}: cannot read: {e.strerror}")
    size, hotspot, legend, rows = None, None, {}, None
    for number, line in enumerate(lines, 1):
        where = f"{path.name}:{number}"
        if rows is not None:
            rows.append((where, line.rstrip()))
            continue
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        key, _, value = (part.strip() for part in line.partition(":"))
        if key == "size":
            size = parse_pair(value, "x", where, "size")
            if not all(1 <= n <= 256 for n in size):
                raise ArtError(f"{where}: size must be between 1x1 and 256x256")
        elif key == "hotspot":
            hotspot = parse_pair(value, ",", where, "hotspot")
        elif key == "legend":
            char, _, name = value.partition(" ")
            name = name.lower().replace(" ", "").replace("-", "").replace("gray", "grey")
            if len(char) != 1 or char == TRANSPARENT and name != "transparent":
                raise ArtError(f"{where}: legend needs one character and a colour name")
            if char != TRANSPARENT:
                if name not in COLOUR_INDEX:
                    names = ", ".join(n for n, _ in VGA_COLOURS)
                    raise ArtError(f"{where}: unknown colour '{name}' (use one of: {names})")
                if char in legend:
                    raise ArtError(f"{where}: '{char}' is already in the legend")
                legend[char] = COLOUR_INDEX[name]
        elif key == "pixels":
            rows = []
        else:
            raise ArtError(f"{where}: unknown header line '{line}'")
    if size is None or rows is None:
        raise ArtError(f"{path.name}: needs a 'size:' line and a 'pixels:' line before the rows")
    width, height = size
    while rows and not rows[-1][1]:
        rows.pop()
    if len(rows) != height:
        raise ArtError(f"{path.name}: expected {height} pixel rows, found {len(rows)}")
    if hotspot and not (0 <= hotspot[0] < width and 0 <= hotspot[1] < height):
        raise ArtError(f"{path.name}: hotspot {hotspot} lies outside the {width}x{height} image")
    pixels = []
    for where, row in rows:
        if len(row) != width:
            raise ArtError(f"{where}: row is {len(row)} pixels wide, expected {width}")
        for column, char in enumerate(row, 1):
            if char != TRANSPARENT and char not in legend:
                raise ArtError(f"{where}: column {column}: '{char}' is not in the legend")
        pixels.append([None if c == TRANSPARENT else legend[c] for c in row])
    return width, height, hotspot, pixels


def encode_dib(width, height, pixels):
    """A 4-bit DIB as icons and cursors store it: colour rows, then the AND mask."""
    colour_stride = (width * 4 + 31) // 32 * 4
    mask_stride = (width + 31) // 32 * 4
    colour, mask = bytearray(), bytearray()
    for row in reversed(pixels):  # DIBs are stored bottom-up
        colour_row, mask_row = bytearray(colour_stride), bytearray(mask_stride)
        for x, index in enumerate(row):
            if index is None:  # mask bit set and colour 0 leaves the screen untouched
                mask_row[x // 8] |= 0x80 >> (x % 8)
            else:
                colour_row[x // 2] |= index << (0 if x % 2 else 4)
        colour += colour_row
        mask += mask_row
    # The height counts both the colour and the mask bitmap.
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16, 0)
                       for _, rgb in VGA_COLOURS)
    return header + palette + bytes(colour) + bytes(mask)


def build(kind, arts):
    """An .ico (kind 1) or .cur (kind 2) file holding one image per art file."""
    images = []
    for path in arts:
        width, height, hotspot, pixels = load_art(path)
        if kind == 2 and hotspot is None:
            raise ArtError(f"{path.name}: a cursor needs a 'hotspot:' line")
        if kind == 1 and hotspot is not None:
            raise ArtError(f"{path.name}: icons have no hotspot; remove the 'hotspot:' line")
        images.append((width, height, hotspot, encode_dib(width, height, pixels)))
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for width, height, hotspot, data in images:
        # Cursors reuse the planes and bit-count fields for the hotspot.
        planes, bits = hotspot if kind == 2 else (1, 4)
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0,
                           planes, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for *_, data in images)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=ART_DIR.parent,
                        help="folder to write the .ico and .cur files into (default: %(default)s)")
    args = parser.parse_args()
    try:
        results = [(name, build(kind, [ART_DIR / a for a in arts])) for name, kind, arts in OUTPUTS]
    except ArtError as e:
        print(f"draw_resources: error: {e}", file=sys.stderr)
        return 1
    args.out.mkdir(parents=True, exist_ok=True)
    for name, data in results:
        (args.out / name).write_bytes(data)
        print(f"wrote {args.out / name} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
