#!/usr/bin/env python3
"""Renders the SVG artwork in resources/icons into the .ico files the resource script uses.

    python3 scripts/make-icons.py        (from the repository root)

Writes resources/tellurane.ico (the program) and resources/tray-sharp.ico (the tray) with 32-bit
images at every size Windows asks for from 100 % to 200 % scaling and a 256x256 PNG, and
resources/tray.ico (16x16 24-bit, the tray control's stored default picture). The .ico files are
committed, so only someone changing the artwork needs rsvg-convert (Debian: librsvg2-bin).
Standard library only; the PNGs that rsvg-convert produces are decoded here rather than with
ImageMagick, and the output depends only on the SVGs and the rsvg version.
"""

import os
import shutil
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICONS = os.path.join(ROOT, "resources", "icons")
OUT = os.path.join(ROOT, "resources")

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"

# Alpha at or above this counts as opaque in the 1-bit AND mask.
MASK_THRESHOLD = 128

# The 24-bit image has no alpha: its soft edge pixels are blended towards white.
WHITE = (0xFF, 0xFF, 0xFF)

# Small icons (16 at 100 %, 20, 24, 32 at 200 %) and large ones (32 at 100 % up to 64 at 200 %),
# plus 256 for Explorer's big views, which it also scales down for the sizes in between.
SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# Up to this size the clock face comes from its redrawing on a 32 pixel grid: the full face's
# minute marks and thin second hand turn into grey noise there.
SMALL_FACE_UP_TO = 32


def program_image(size):
    return ("tellurane-small.svg" if size <= SMALL_FACE_UP_TO else "tellurane.svg", size, 32, size >= 256, None)


# (output file, [(svg, size, bits per pixel, store as PNG, matte for 24-bit)])
ICON_FILES = [
    ("tellurane.ico", [program_image(size) for size in SIZES]),
    ("tray-sharp.ico", [("tray.svg", size, 32, size >= 256, None) for size in SIZES]),
    ("tray.ico", [
        ("tray.svg", 16, 24, False, WHITE),
    ]),
]


class Image:
    """Straight (not premultiplied) 8-bit RGBA pixels, top row first."""

    def __init__(self, width, height, rgba):
        assert len(rgba) == width * height * 4
        self.width = width
        self.height = height
        self.rgba = rgba

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        return self.rgba[i], self.rgba[i + 1], self.rgba[i + 2], self.rgba[i + 3]


def render_svg(svg_path, size):
    rsvg = shutil.which("rsvg-convert")
    if rsvg is None:
        sys.exit("make-icons: rsvg-convert not found (Debian package librsvg2-bin)")
    png = subprocess.run([rsvg, "--format=png", "-w", str(size), "-h", str(size), svg_path],
                         check=True, stdout=subprocess.PIPE).stdout
    image = decode_png(png)
    if (image.width, image.height) != (size, size):
        sys.exit("make-icons: %s rendered as %dx%d, wanted %d" % (svg_path, image.width, image.height, size))
    return image


def decode_png(data):
    """Decodes the 8-bit RGB/RGBA, non-interlaced PNGs that rsvg-convert writes."""
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError("not a PNG")
    pos = len(PNG_SIGNATURE)
    header = None
    idat = []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError("unsupported PNG layout (depth %d, colour type %d)" % (depth, colour))
    bpp = 4 if colour == 6 else 3
    stride = width * bpp
    raw = zlib.decompress(b"".join(idat))
    out = bytearray()
    prev = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
            elif kind != 0:
                raise ValueError("bad PNG filter %d" % kind)
        if bpp == 4:
            out += line
        else:
            for x in range(width):
                out += line[x * 3:x * 3 + 3] + b"\xff"
        prev = line
    return Image(width, height, bytes(out))


def encode_png(image):
    """Re-encodes as a minimal RGBA PNG (no text or time chunks) so the output is reproducible."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    stride = image.width * 4
    rows = b"".join(b"\x00" + image.rgba[y * stride:(y + 1) * stride] for y in range(image.height))
    ihdr = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    return (PNG_SIGNATURE + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def padded(row_bytes):
    return (row_bytes + 3) & ~3


def and_mask(image):
    """1 bit per pixel, 1 = transparent, rows bottom-up and padded to 4 bytes."""
    row_size = padded((image.width + 7) // 8)
    out = bytearray()
    for y in reversed(range(image.height)):
        row = bytearray(row_size)
        for x in range(image.width):
            if image.pixel(x, y)[3] < MASK_THRESHOLD:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def dib(image, bits, matte):
    """BITMAPINFOHEADER + colour bitmap + AND mask, as an icon resource stores them."""
    row_size = padded(image.width * bits // 8)
    colour = bytearray()
    for y in reversed(range(image.height)):
        row = bytearray()
        for x in range(image.width):
            r, g, b, a = image.pixel(x, y)
            if bits == 32:
                row += bytes((b, g, r, a))
            elif a < MASK_THRESHOLD:
                # Masked pixels must be black: the screen is XORed with them.
                row += b"\x00\x00\x00"
            else:
                r, g, b = (round((v * a + m * (255 - a)) / 255) for v, m in zip((r, g, b), matte))
                row += bytes((b, g, r))
        colour += row + bytes(row_size - len(row))
    mask = and_mask(image)
    header = struct.pack("<IiiHHIIiiII", 40, image.width, image.height * 2, 1, bits, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + mask


def build_ico(entries):
    count = len(entries)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    blobs = []
    for size, bits, blob in entries:
        dim = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return directory + b"".join(blobs)


def describe_ico(data):
    """Re-reads an .ico and returns one summary line per image; raises if anything is off."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("bad ICONDIR")
    lines = []
    end = 6 + 16 * count
    for n in range(count):
        w, h, colours, res, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        w, h = w or 256, h or 256
        if colours != 0 or res != 0 or planes != 1 or bits not in (24, 32):
            raise ValueError("image %d: bad ICONDIRENTRY" % n)
        if offset != end or offset + length > len(data):
            raise ValueError("image %d: offset/length do not match the file" % n)
        end = offset + length
        blob = data[offset:offset + length]
        if blob.startswith(PNG_SIGNATURE):
            pw, ph, depth, colour = struct.unpack_from(">IIBB", blob, 16)
            if (pw, ph) != (w, h) or depth != 8 or colour != 6 or bits != 32:
                raise ValueError("image %d: PNG does not match its entry" % n)
            form = "PNG"
        else:
            size, bw, bh, bplanes, bbits, compression, image_size = struct.unpack_from("<IiiHHII", blob, 0)
            xor = padded(w * bits // 8) * h
            mask = padded((w + 7) // 8) * h
            if (size, bw, bh, bplanes, bbits, compression) != (40, w, 2 * h, 1, bits, 0):
                raise ValueError("image %d: BITMAPINFOHEADER does not match its entry" % n)
            if image_size != xor + mask or length != 40 + xor + mask:
                raise ValueError("image %d: bitmap sizes are wrong" % n)
            form = "DIB + AND mask"
        lines.append("  #%d  %3dx%-3d %d-bit  %-14s %6d bytes at offset %d" % (n, w, h, bits, form, length, offset))
    if end != len(data):
        raise ValueError("trailing bytes after the last image")
    return lines


def main():
    for name, images in ICON_FILES:
        entries = []
        for svg, size, bits, as_png, matte in images:
            image = render_svg(os.path.join(ICONS, svg), size)
            blob = encode_png(image) if as_png else dib(image, bits, matte)
            entries.append((size, bits, blob))
        data = build_ico(entries)
        path = os.path.join(OUT, name)
        with open(path, "wb") as f:
            f.write(data)
        with open(path, "rb") as f:
            lines = describe_ico(f.read())
        print("%s: %d image(s), %d bytes" % (os.path.relpath(path, ROOT), len(lines), len(data)))
        for line in lines:
            print(line)


if __name__ == "__main__":
    main()
