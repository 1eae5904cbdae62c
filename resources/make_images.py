#!/usr/bin/env python3
"""Writes the icons and bitmaps of moritelda.

Usage: make_images.py OUTPUT_DIR [ART_DIR]

The pictures come from readable sources:
  - art/legend.txt        the colour of each grid character;
  - art/program_icon.txt  the program icon, a 32 x 32 grid;
  - art/desktop_icons.txt the tray icons of desktops 1 to 4, 32 x 32 grids;
  - art/checkboxes.txt    the check cells of the task list, 13 x 13 grids;
  - art/glyphs.txt        the digits and the star of the switcher skins;
and the switcher skins are drawn by the code below from the pixel
coordinates of their frames and cells.

Written files (all in OUTPUT_DIR):
  program.ico, desktop1.ico .. desktop4.ico    32 x 32, 16 colours, AND mask
  skin1_1.bmp .. skin1_4.bmp                    60 x 30, 4 bits per pixel
  skin5_1.bmp .. skin5_4.bmp                    60 x 30, 8 bits per pixel
  checked.bmp, uncheck.bmp                      13 x 13, 24 bits per pixel

Only the Python standard library is used.
"""

import os
import struct
import sys

TRANSPARENT = None

# The standard 16-colour palette, in its usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
LIGHT_GREY = (192, 192, 192)
DARK_GREY = (128, 128, 128)


class ArtError(Exception):
    pass


# ---------------------------------------------------------------- sources

def read_legend(path):
    """Returns {character: (r, g, b) or TRANSPARENT}."""
    legend = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = line.split()
            if len(parts) != 5 or len(parts[0]) != 1:
                raise ArtError(f"{path}:{number}: expected 'char name r g b'")
            char = parts[0]
            if parts[2:] == ["-", "-", "-"]:
                legend[char] = TRANSPARENT
            else:
                rgb = tuple(int(v) for v in parts[2:])
                if any(not 0 <= v <= 255 for v in rgb):
                    raise ArtError(f"{path}:{number}: colour out of range")
                legend[char] = rgb
    return legend


def read_grids(path):
    """Reads the blocks '[name]' followed by rows of characters.

    A block ends at a blank line, a comment line or the next block.
    Returns {name: [row, ...]}.
    """
    grids = {}
    name = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n").rstrip()
            if line.startswith("[") and line.endswith("]"):
                name = line[1:-1].strip()
                if name in grids:
                    raise ArtError(f"{path}:{number}: block [{name}] given twice")
                grids[name] = []
            elif not line or line.lstrip().startswith("#"):
                name = None
            elif name is None:
                raise ArtError(f"{path}:{number}: picture row outside a block")
            else:
                grids[name].append(line)
    for name, rows in grids.items():
        if not rows:
            raise ArtError(f"{path}: block [{name}] is empty")
        if len({len(r) for r in rows}) != 1:
            raise ArtError(f"{path}: rows of [{name}] differ in length")
    return grids


def grid_image(path, grids, name, legend, width, height, allow_transparent):
    """Turns a grid into rows of colours, checking size and characters."""
    if name not in grids:
        raise ArtError(f"{path}: block [{name}] is missing")
    rows = grids[name]
    if len(rows) != height or len(rows[0]) != width:
        raise ArtError(f"{path}: [{name}] is {len(rows[0])} x {len(rows)},"
                       f" expected {width} x {height}")
    image = []
    for y, row in enumerate(rows):
        line = []
        for x, char in enumerate(row):
            if char not in legend:
                raise ArtError(f"{path}: [{name}] row {y + 1} column {x + 1}:"
                               f" '{char}' is not in the legend")
            colour = legend[char]
            if colour is TRANSPARENT and not allow_transparent:
                raise ArtError(f"{path}: [{name}] row {y + 1} column {x + 1}:"
                               " transparency is only allowed in icons")
            line.append(colour)
        image.append(line)
    return image


def glyph(grids, name):
    """Returns the ink positions of a glyph as (width, height, {(x, y)})."""
    rows = grids[name]
    ink = set()
    for y, row in enumerate(rows):
        for x, char in enumerate(row):
            if char == "X":
                ink.add((x, y))
            elif char != ".":
                raise ArtError(f"glyph [{name}]: only 'X' and '.' are allowed")
    return len(rows[0]), len(rows), ink


# ---------------------------------------------------------------- writers

def palette_index(palette, colour, what):
    try:
        return palette.index(colour)
    except ValueError:
        raise ArtError(f"{what}: colour {colour} is not in the palette")


def pack_rows(image, bits, palette, what):
    """Pixel rows, bottom row first, each padded to four bytes."""
    data = bytearray()
    for row in reversed(image):
        line = bytearray()
        if bits == 24:
            for colour in row:
                r, g, b = colour
                line += bytes((b, g, r))
        elif bits == 8:
            for colour in row:
                line.append(palette_index(palette, colour, what))
        elif bits == 4:
            indexes = [palette_index(palette, c, what) for c in row]
            if len(indexes) % 2:
                indexes.append(0)
            for i in range(0, len(indexes), 2):
                line.append(indexes[i] << 4 | indexes[i + 1])
        else:
            raise ValueError(bits)
        while len(line) % 4:
            line.append(0)
        data += line
    return bytes(data)


def pack_mask(mask):
    """The 1-bit AND mask, bottom row first, rows padded to four bytes."""
    data = bytearray()
    for row in reversed(mask):
        line = bytearray()
        for i in range(0, len(row), 8):
            byte = 0
            for bit, value in enumerate(row[i:i + 8]):
                if value:
                    byte |= 0x80 >> bit
            line.append(byte)
        while len(line) % 4:
            line.append(0)
        data += line
    return bytes(data)


def info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 0, 0, colours_used, 0)


def palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)


def bmp_bytes(image, bits, palette, what):
    width, height = len(image[0]), len(image)
    pixels = pack_rows(image, bits, palette, what)
    colours = palette_bytes(palette) if bits <= 8 else b""
    header = info_header(width, height, bits, len(pixels),
                         len(palette) if bits <= 8 else 0)
    offset = 14 + len(header) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0,
                              offset)
    return file_header + header + colours + pixels


def ico_bytes(image, what):
    """A one-image icon file: 16 colours with an AND mask."""
    width, height = len(image[0]), len(image)
    colours = [BLACK if c is TRANSPARENT else c for row in image for c in row]
    for c in colours:
        palette_index(VGA16, c, what)
    xor_rows = [[BLACK if c is TRANSPARENT else c for c in row]
                for row in image]
    mask_rows = [[c is TRANSPARENT for c in row] for row in image]
    xor = pack_rows(xor_rows, 4, VGA16, what)
    and_mask = pack_mask(mask_rows)
    body = (info_header(width, height * 2, 4, len(xor) + len(and_mask), 0)
            + palette_bytes(VGA16) + xor + and_mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4,
                        len(body), 6 + 16)
    return directory + entry + body


def write_file(out_dir, name, data):
    with open(os.path.join(out_dir, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- skins

SKIN_WIDTH, SKIN_HEIGHT = 60, 30


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def fill(image, x0, y0, x1, y1, colour):
    """Fills the rectangle from (x0, y0) to (x1, y1), both corners included."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            image[y][x] = colour


def frame(image, x0, y0, x1, y1, colour):
    """Draws the outline of the rectangle, both corners included."""
    fill(image, x0, y0, x1, y0, colour)
    fill(image, x0, y1, x1, y1, colour)
    fill(image, x0, y0, x0, y1, colour)
    fill(image, x1, y0, x1, y1, colour)


def stamp(image, shape, x0, y0, x1, y1, colour):
    """Puts a glyph in the middle of the rectangle (corners included)."""
    width, height, ink = shape
    if width > x1 - x0 + 1 or height > y1 - y0 + 1:
        raise ArtError(f"a {width} x {height} glyph does not fit into"
                       f" {x1 - x0 + 1} x {y1 - y0 + 1} pixels")
    left = x0 + (x1 - x0 + 1 - width) // 2
    top = y0 + (y1 - y0 + 1 - height) // 2
    for x, y in ink:
        image[top + y][left + x] = colour


def draw_grid(image, digits, marked, left, right, middle_x):
    """The 2 x 2 grid of the desktops in a frame from (left, 2) to (right, 26),
    divided by the lines x = middle_x and y = 14. Cell 1 is top left, 2 top
    right, 3 bottom left, 4 bottom right."""
    top, bottom, middle_y = 2, 26, 14
    frame(image, left, top, right, bottom, DARK_GREY)
    fill(image, middle_x, top, middle_x, bottom, DARK_GREY)
    fill(image, left, middle_y, right, middle_y, DARK_GREY)
    cells = {
        1: (left + 1, top + 1, middle_x - 1, middle_y - 1),
        2: (middle_x + 1, top + 1, right - 1, middle_y - 1),
        3: (left + 1, middle_y + 1, middle_x - 1, bottom - 1),
        4: (middle_x + 1, middle_y + 1, right - 1, bottom - 1),
    }
    for number, (x0, y0, x1, y1) in cells.items():
        if number == marked:
            fill(image, x0, y0, x1, y1, DARK_GREY)
            stamp(image, digits[number], x0, y0, x1, y1, WHITE)
        else:
            fill(image, x0, y0, x1, y1, LIGHT_GREY)
            stamp(image, digits[number], x0, y0, x1, y1, BLACK)


def skin1(digits, marked):
    """Skin 1: the grid alone, framed from x 2 to 57, divided at x 30."""
    image = canvas(SKIN_WIDTH, SKIN_HEIGHT, LIGHT_GREY)
    draw_grid(image, digits, marked, 2, 57, 30)
    return image


def skin5(digits, star, marked):
    """Skin 5: a raised button with a black star from x 2 to 18 and y 7 to 21,
    and the grid framed from x 21 to 57, divided at x 39."""
    image = canvas(SKIN_WIDTH, SKIN_HEIGHT, LIGHT_GREY)
    x0, y0, x1, y1 = 2, 7, 18, 21
    frame(image, x0, y0, x1, y1, BLACK)
    fill(image, x0 + 1, y0 + 1, x1 - 1, y0 + 1, WHITE)       # lit top
    fill(image, x0 + 1, y0 + 1, x0 + 1, y1 - 1, WHITE)       # lit left
    fill(image, x0 + 2, y1 - 1, x1 - 1, y1 - 1, DARK_GREY)   # shaded bottom
    fill(image, x1 - 1, y0 + 2, x1 - 1, y1 - 1, DARK_GREY)   # shaded right
    stamp(image, star, x0 + 2, y0 + 2, x1 - 2, y1 - 2, BLACK)
    draw_grid(image, digits, marked, 21, 57, 39)
    return image


def palette256():
    """The 256-colour palette of skin 5: the 16 standard colours, a 6 x 6 x 6
    colour cube and a ramp of 24 greys."""
    colours = list(VGA16)
    steps = (0, 51, 102, 153, 204, 255)
    colours += [(r, g, b) for r in steps for g in steps for b in steps]
    colours += [(8 + 10 * i,) * 3 for i in range(24)]
    assert len(colours) == 256
    return colours


# ---------------------------------------------------------------- main

def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    out_dir = argv[1]
    art_dir = argv[2] if len(argv) == 3 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "art")
    os.makedirs(out_dir, exist_ok=True)

    legend = read_legend(os.path.join(art_dir, "legend.txt"))

    path = os.path.join(art_dir, "program_icon.txt")
    grids = read_grids(path)
    image = grid_image(path, grids, "program", legend, 32, 32, True)
    write_file(out_dir, "program.ico", ico_bytes(image, "program icon"))

    path = os.path.join(art_dir, "desktop_icons.txt")
    grids = read_grids(path)
    for n in range(1, 5):
        image = grid_image(path, grids, f"desktop{n}", legend, 32, 32, True)
        write_file(out_dir, f"desktop{n}.ico",
                   ico_bytes(image, f"desktop icon {n}"))

    path = os.path.join(art_dir, "checkboxes.txt")
    grids = read_grids(path)
    for name in ("checked", "uncheck"):
        image = grid_image(path, grids, name, legend, 13, 13, False)
        write_file(out_dir, f"{name}.bmp", bmp_bytes(image, 24, [], name))

    grids = read_grids(os.path.join(art_dir, "glyphs.txt"))
    digits = {n: glyph(grids, f"digit{n}") for n in range(1, 5)}
    star = glyph(grids, "star")
    for n in range(1, 5):
        write_file(out_dir, f"skin1_{n}.bmp",
                   bmp_bytes(skin1(digits, n), 4, VGA16, f"skin 1 ({n})"))
        write_file(out_dir, f"skin5_{n}.bmp",
                   bmp_bytes(skin5(digits, star, n), 8, palette256(),
                             f"skin 5 ({n})"))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except (ArtError, OSError) as error:
        sys.stderr.write(f"make_images.py: {error}\n")
        sys.exit(1)
