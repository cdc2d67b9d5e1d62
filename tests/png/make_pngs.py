#!/usr/bin/env python3
"""Writes the PNG pictures the decoder tests read, with the pixels each must decode to.

Run:  python3 tests/png/make_pngs.py      (Python 3 standard library only)
It rewrites tests/png/data/ except the im_*.png pictures made by ImageMagick and their pixels, which are kept as
committed; `make_pngs.py --imagemagick` redraws those too with `convert` (output differs between its versions).

data/cases.txt has one line per picture: `NAME ok` (its pixels are in NAME.txt) or `NAME error REASON`.
NAME.txt holds "WIDTH HEIGHT" on its first line, then one line per row of 0xAARRGGBB values in hex.
The pixels are worked out here from the samples themselves, not by decoding what was written.
"""

import os
import random
import shutil
import struct
import subprocess
import sys
import zlib

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
DEPTHS = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}
ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2))


def chunk(kind, body=b""):
    kind = kind.encode("ascii")
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def ihdr(width, height, depth, colour, interlace=0, compression=0, filter_method=0):
    return chunk("IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, compression, filter_method, interlace))


def pack_row(row, depth):
    """Packs one row of samples (a flat list) at the given bit depth, high bits first."""
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in row)
    if depth == 8:
        return bytes(row)
    out = bytearray()
    per_byte = 8 // depth
    for i in range(0, len(row), per_byte):
        byte = 0
        group = row[i:i + per_byte]
        for j, s in enumerate(group):
            byte |= s << (8 - depth * (j + 1))
        out.append(byte)
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, raw, prior, step):
    out = bytearray([kind])
    for i, x in enumerate(raw):
        a = raw[i - step] if i >= step else 0
        b = prior[i]
        c = prior[i - step] if i >= step else 0
        predictor = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
        out.append((x - predictor) & 0xFF)
    return bytes(out)


def filtered_stream(pixels, width, height, colour, depth, interlace, filters):
    """The bytes to deflate: every (sub-)image's rows, each behind its filter byte. `filters` is cycled."""
    channels = CHANNELS[colour]
    step = max(1, channels * depth // 8)
    passes = ADAM7 if interlace else ((0, 0, 1, 1),)
    out = bytearray()
    row_number = 0
    for x0, y0, dx, dy in passes:
        xs = range(x0, width, dx)
        ys = range(y0, height, dy)
        if not xs or not ys:
            continue
        prior = bytes(len(pack_row([0] * (len(xs) * channels), depth)))
        for y in ys:
            samples = [s for x in xs for s in pixels[y][x]]
            raw = pack_row(samples, depth)
            out += filter_row(filters[row_number % len(filters)], raw, prior, step)
            prior = raw
            row_number += 1
    return bytes(out)


def to8(sample, depth):
    if depth == 16:
        return sample >> 8
    return sample * 255 // ((1 << depth) - 1)


def expected_pixels(pixels, colour, depth, palette=None, trns=None):
    """0xAARRGGBB per pixel as the decoder must give it: 16 bits keep the high byte, the tRNS key is compared
    at the stored depth."""
    out = []
    for row in pixels:
        line = []
        for p in row:
            if colour == 3:
                r, g, b = palette[p[0]]
                a = trns[p[0]] if trns and p[0] < len(trns) else 255
            elif colour in (0, 2):
                r, g, b = (to8(p[0], depth),) * 3 if colour == 0 else (to8(s, depth) for s in p)
                a = 0 if trns is not None and tuple(p) == tuple(trns) else 255
            elif colour == 4:
                r = g = b = to8(p[0], depth)
                a = to8(p[1], depth)
            else:
                r, g, b, a = (to8(s, depth) for s in p)
            line.append(a << 24 | r << 16 | g << 8 | b)
        out.append(line)
    return out


def random_pixels(rng, width, height, colour, depth, limit=None):
    top = limit if limit is not None else (1 << depth)
    return [[tuple(rng.randrange(top) for _ in range(CHANNELS[colour])) for _ in range(width)] for _ in range(height)]


def trns_body(colour, trns):
    if colour == 3:
        return bytes(trns)
    return b"".join(struct.pack(">H", s) for s in trns)


def build(width, height, colour, depth, pixels, interlace=0, filters=(0, 1, 2, 3, 4), palette=None, trns=None,
          idat_parts=1, level=6, before_idat=(), after_idat=()):
    data = zlib.compress(filtered_stream(pixels, width, height, colour, depth, interlace, filters), level)
    out = SIGNATURE + ihdr(width, height, depth, colour, interlace)
    out += b"".join(before_idat)
    if palette is not None:
        out += chunk("PLTE", b"".join(bytes(rgb) for rgb in palette))
    if trns is not None:
        out += chunk("tRNS", trns_body(colour, trns))
    size = -(-len(data) // idat_parts)
    for i in range(idat_parts):
        out += chunk("IDAT", data[i * size:(i + 1) * size])
    out += b"".join(after_idat)
    return out + chunk("IEND")


class Cases:
    def __init__(self):
        self.lines = []

    def ok(self, name, png, pixels):
        self._write(name, png)
        with open(os.path.join(DATA, name[:-4] + ".txt"), "w") as f:
            f.write(f"{len(pixels[0])} {len(pixels)}\n")
            for row in pixels:
                f.write(" ".join(f"{p:08x}" for p in row) + "\n")
        self.lines.append(f"{name} ok")

    def error(self, name, png, reason):
        self._write(name, png)
        self.lines.append(f"{name} error {reason}")

    def _write(self, name, png):
        with open(os.path.join(DATA, name), "wb") as f:
            f.write(png)


def palette_for(depth, rng, count=None):
    count = count or min(1 << depth, 200)
    return [tuple(rng.randrange(256) for _ in range(3)) for _ in range(count)]


def valid_cases(cases, rng):
    # Every colour type at every allowed depth, plain and interlaced, with all five filters in turn.
    for colour, depths in DEPTHS.items():
        for depth in depths:
            for interlace in (0, 1):
                width, height = 13, 11
                palette = palette_for(depth, rng) if colour == 3 else None
                limit = len(palette) if palette else None
                pixels = random_pixels(rng, width, height, colour, depth, limit)
                png = build(width, height, colour, depth, pixels, interlace, palette=palette)
                name = f"c{colour}_d{depth}{'_i' if interlace else ''}.png"
                cases.ok(name, png, expected_pixels(pixels, colour, depth, palette))

    # Each filter alone over every row, for whole-byte pixels and for packed ones.
    for colour, depth in ((6, 8), (2, 16), (0, 1), (4, 8)):
        pixels = random_pixels(rng, 17, 9, colour, depth)
        for kind in range(5):
            png = build(17, 9, colour, depth, pixels, filters=(kind,))
            cases.ok(f"filter{kind}_c{colour}_d{depth}.png", png, expected_pixels(pixels, colour, depth))

    # Smooth gradients, where Paeth picks each of its three neighbours.
    width, height = 24, 24
    pixels = [[(x * 10 % 256, y * 10 % 256, (x * y) % 256, 255 - x * 5) for x in range(width)] for y in range(height)]
    cases.ok("paeth_gradient.png", build(width, height, 6, 8, pixels, filters=(4,)), expected_pixels(pixels, 6, 8))

    # Palette alpha, shorter than the palette; with and without interlacing, at every palette depth.
    for depth in DEPTHS[3]:
        palette = palette_for(depth, rng)
        trns = [rng.randrange(256) for _ in range(max(1, len(palette) - 1))]
        pixels = random_pixels(rng, 10, 7, 3, depth, len(palette))
        for interlace in (0, 1):
            png = build(10, 7, 3, depth, pixels, interlace, palette=palette, trns=trns)
            name = f"c3_d{depth}_trns{'_i' if interlace else ''}.png"
            cases.ok(name, png, expected_pixels(pixels, 3, depth, palette, trns))

    # A gray key at every gray depth; the key's value is planted in the picture.
    for depth in DEPTHS[0]:
        pixels = random_pixels(rng, 9, 6, 0, depth)
        key = pixels[2][3]
        pixels[4][1] = key
        cases.ok(f"c0_d{depth}_trns.png", build(9, 6, 0, depth, pixels, trns=key),
                 expected_pixels(pixels, 0, depth, trns=key))

    # RGB keys. At 16 bits a neighbour differs from the key only in the low bytes and must stay opaque.
    pixels = random_pixels(rng, 8, 5, 2, 8)
    key = pixels[1][1]
    cases.ok("c2_d8_trns.png", build(8, 5, 2, 8, pixels, trns=key), expected_pixels(pixels, 2, 8, trns=key))
    pixels = random_pixels(rng, 8, 5, 2, 16)
    key = (0x1234, 0xABCD, 0x00FF)
    pixels[0][0] = key
    pixels[0][1] = (0x1235, 0xABCD, 0x00FF)
    pixels[3][7] = key
    cases.ok("c2_d16_trns.png", build(8, 5, 2, 16, pixels, 1, trns=key), expected_pixels(pixels, 2, 16, trns=key))
    pixels = random_pixels(rng, 8, 5, 0, 16)
    key = (0x8001,)
    pixels[1][2] = key
    pixels[1][3] = (0x8000,)
    cases.ok("c0_d16_trns_low.png", build(8, 5, 0, 16, pixels, trns=key), expected_pixels(pixels, 0, 16, trns=key))

    # Misplaced or misshapen tRNS chunks are ignored; of two, the first counts.
    palette = palette_for(4, rng, 5)
    pixels = random_pixels(rng, 6, 4, 3, 4, 5)
    opaque = expected_pixels(pixels, 3, 4, palette)
    alpha = chunk("tRNS", bytes([0, 100, 200]))
    cases.ok("trns_after_idat.png", build(6, 4, 3, 4, pixels, palette=palette, after_idat=(alpha,)), opaque)
    cases.ok("trns_before_plte.png", build(6, 4, 3, 4, pixels, palette=palette, before_idat=(alpha,)), opaque)
    cases.ok("trns_longer_than_plte.png", build(6, 4, 3, 4, pixels, palette=palette, trns=list(range(6))), opaque)
    pixels = random_pixels(rng, 6, 4, 0, 8)
    pixels[0][0] = (0,)
    cases.ok("trns_gray_length.png", build(6, 4, 0, 8, pixels, before_idat=(chunk("tRNS", bytes(4)),)),
             expected_pixels(pixels, 0, 8))
    pixels = random_pixels(rng, 6, 4, 2, 8)
    first, second = pixels[0][0], pixels[1][1]
    png = build(6, 4, 2, 8, pixels, trns=first)
    pos, _ = find_chunk(png, "IDAT")
    png = png[:pos] + chunk("tRNS", trns_body(2, second)) + png[pos:]
    cases.ok("trns_twice.png", png, expected_pixels(pixels, 2, 8, trns=first))

    # Pixel data spread over many IDAT chunks, one byte each and an empty one among them.
    pixels = random_pixels(rng, 12, 12, 6, 8)
    png = build(12, 12, 6, 8, pixels, 1, idat_parts=5)
    cases.ok("multi_idat.png", png, expected_pixels(pixels, 6, 8))
    data = zlib.compress(filtered_stream(pixels, 12, 12, 6, 8, 0, (1, 4)))
    parts = [chunk("IDAT", data[i:i + 1]) for i in range(len(data))]
    parts.insert(3, chunk("IDAT"))
    png = SIGNATURE + ihdr(12, 12, 8, 6) + b"".join(parts) + chunk("IEND")
    cases.ok("idat_bytewise.png", png, expected_pixels(pixels, 6, 8))

    # Ancillary chunks anywhere, a suggested palette in an RGB picture, stored and best compression.
    pixels = random_pixels(rng, 7, 7, 2, 8)
    extras = (chunk("gAMA", struct.pack(">I", 45455)), chunk("sRGB", b"\0"), chunk("tEXt", b"Title\0skin"),
              chunk("prVt", b"anything"), chunk("PLTE", bytes(range(30))))
    png = build(7, 7, 2, 8, pixels, before_idat=extras, after_idat=(chunk("tIME", bytes(7)), chunk("zzZz")))
    cases.ok("ancillary.png", png, expected_pixels(pixels, 2, 8))
    for level in (0, 9):
        png = build(7, 7, 2, 8, pixels, level=level)
        cases.ok(f"level{level}.png", png, expected_pixels(pixels, 2, 8))
    cases.ok("after_iend.png", build(7, 7, 2, 8, pixels) + b"trailing bytes", expected_pixels(pixels, 2, 8))

    # Sizes where Adam7 passes are empty or a single pixel wide.
    for width, height in ((1, 1), (2, 1), (1, 2), (3, 3), (9, 1), (1, 9), (5, 2), (33, 3)):
        for colour, depth in ((6, 8), (0, 1), (3, 4), (4, 16)):
            palette = palette_for(depth, rng, 16) if colour == 3 else None
            pixels = random_pixels(rng, width, height, colour, depth, 16 if palette else None)
            png = build(width, height, colour, depth, pixels, 1, palette=palette)
            cases.ok(f"small_{width}x{height}_c{colour}_d{depth}_i.png", png,
                     expected_pixels(pixels, colour, depth, palette))


def replace_chunk(png, kind, body):
    """`png` with the first chunk of that kind given a new body (and a correct CRC)."""
    pos = 8
    while pos < len(png):
        length, = struct.unpack(">I", png[pos:pos + 4])
        if png[pos + 4:pos + 8] == kind.encode():
            return png[:pos] + chunk(kind, body) + png[pos + 12 + length:]
        pos += 12 + length
    raise ValueError(kind)


def find_chunk(png, kind):
    pos = 8
    while True:
        length, = struct.unpack(">I", png[pos:pos + 4])
        if png[pos + 4:pos + 8] == kind.encode():
            return pos, length
        pos += 12 + length


def error_cases(cases, rng):
    pixels = random_pixels(rng, 6, 5, 2, 8)
    good = build(6, 5, 2, 8, pixels, before_idat=(chunk("tEXt", b"k\0v"),))
    stream = filtered_stream(pixels, 6, 5, 2, 8, 0, (0,))
    head = SIGNATURE + ihdr(6, 5, 8, 2)
    tail = chunk("IEND")

    def flip(png, offset):
        return png[:offset] + bytes([png[offset] ^ 0x01]) + png[offset + 1:]

    def with_header(*fields, **named):
        return replace_chunk(good, "IHDR", ihdr(*fields, **named)[8:-4])

    cases.error("bad_signature.png", b"\x89PNG\r\n\x1a\x0b" + good[8:], "not a PNG file")
    cases.error("text_file.png", b"hello, this is not a picture at all\n", "not a PNG file")
    cases.error("crc_ihdr.png", flip(good, 16 + 8), "bad CRC in IHDR")
    pos, length = find_chunk(good, "IDAT")
    cases.error("crc_idat.png", flip(good, pos + 8 + length // 2), "bad CRC in IDAT")
    pos, length = find_chunk(good, "tEXt")
    cases.error("crc_ancillary.png", flip(good, pos + 8 + length), "bad CRC in tEXt")
    pos, length = find_chunk(good, "IEND")
    cases.error("crc_iend.png", flip(good, pos + 8), "bad CRC in IEND")
    cases.error("critical_unknown.png", good[:33] + chunk("ABCD", b"x") + good[33:], "unknown critical chunk ABCD")
    cases.error("chunk_type_digit.png", good[:33] + chunk("ab1d", b"x") + good[33:], "bad chunk type")
    cases.error("chunk_length_huge.png", good[:33] + b"\x80\0\0\0tEXt" + good[41:], "bad chunk length")
    cases.error("chunk_length_past_end.png", good[:33] + b"\x00\x10\0\0tEXt" + good[41:], "truncated")
    cases.error("interlace_method.png", with_header(6, 5, 8, 2, 2), "unsupported interlace method")
    cases.error("compression_method.png", with_header(6, 5, 8, 2, compression=1), "unsupported compression method")
    cases.error("filter_method.png", with_header(6, 5, 8, 2, filter_method=1), "unsupported filter method")
    for colour in (1, 5, 7):
        cases.error(f"colour_type_{colour}.png", with_header(6, 5, 8, colour), "bad colour type")
    for colour, depth in ((2, 4), (3, 16), (0, 3), (6, 1), (4, 0)):
        cases.error(f"depth_{depth}_c{colour}.png", with_header(6, 5, depth, colour), "bad bit depth")
    cases.error("ihdr_short.png", replace_chunk(good, "IHDR", ihdr(6, 5, 8, 2)[8:-5]), "bad IHDR length")
    for name, width, height in (("width_zero", 0, 5), ("height_zero", 6, 0), ("width_2g", 1 << 31, 1)):
        cases.error(f"{name}.png", with_header(width, height, 8, 2), "bad image size")
    cases.error("huge_dims.png", with_header(65536, 65536, 8, 6), "image too large")
    cases.error("huge_dims_wide.png", with_header(0x7FFFFFFF, 0x7FFFFFFF, 16, 6), "image too large")
    # At the size limit but with far too little data to fill it: refused before anything is allocated.
    cases.error("limit_dims_little_data.png", with_header(8192, 8192, 8, 6), "truncated image data")

    cases.error("no_iend.png", good[:-12], "truncated")
    cases.error("no_idat.png", head + tail, "missing IDAT")
    cases.error("ihdr_not_first.png", SIGNATURE + chunk("tEXt", b"k\0v") + good[8:], "first chunk is not IHDR")
    cases.error("ihdr_twice.png", good[:33] + good[8:33] + good[33:], "duplicate IHDR")
    cases.error("ihdr_only.png", head, "truncated")

    palette_stream = zlib.compress(filtered_stream([[(i % 3,) for i in range(4)]] * 2, 4, 2, 3, 2, 0, (0,)))
    palette_head = SIGNATURE + ihdr(4, 2, 2, 3)
    plte = chunk("PLTE", bytes(9))
    cases.error("plte_missing.png", palette_head + chunk("IDAT", palette_stream) + tail, "missing PLTE")
    cases.error("plte_twice.png", palette_head + plte + plte + chunk("IDAT", palette_stream) + tail, "duplicate PLTE")
    cases.error("plte_length.png", palette_head + chunk("PLTE", bytes(7)) + chunk("IDAT", palette_stream) + tail,
                "bad PLTE length")
    cases.error("plte_empty.png", palette_head + chunk("PLTE") + chunk("IDAT", palette_stream) + tail,
                "bad PLTE length")
    cases.error("plte_too_long.png", palette_head + chunk("PLTE", bytes(771)) + chunk("IDAT", palette_stream) + tail,
                "bad PLTE length")
    gray_stream = zlib.compress(bytes(7 * 5))
    cases.error("plte_in_gray.png", SIGNATURE + ihdr(6, 5, 8, 0) + plte + chunk("IDAT", gray_stream) + tail,
                "PLTE in a gray image")
    idat = chunk("IDAT", zlib.compress(stream))
    cases.error("plte_after_idat.png", head + idat + plte + tail, "PLTE after IDAT")
    data = zlib.compress(stream)
    split = chunk("IDAT", data[:10]) + chunk("tEXt", b"k\0v") + chunk("IDAT", data[10:])
    cases.error("idat_split.png", head + split + tail, "IDAT chunks not consecutive")
    index_stream = zlib.compress(filtered_stream([[(i,) for i in range(4)]] * 2, 4, 2, 3, 2, 0, (0,)))
    cases.error("palette_index.png", palette_head + plte + chunk("IDAT", index_stream) + tail,
                "palette index out of range")

    bad_filter = bytearray(stream)
    bad_filter[19 * 2] = 5
    cases.error("filter_type.png", head + chunk("IDAT", zlib.compress(bytes(bad_filter))) + tail, "bad filter type")
    cases.error("zlib_garbage.png", head + chunk("IDAT", bytes(rng.randrange(256) for _ in range(40))) + tail,
                "corrupt image data")
    cases.error("zlib_dictionary.png", head + chunk("IDAT", b"\x78\xbb" + bytes(30)) + tail, "corrupt image data")
    cases.error("zlib_short_stream.png", head + chunk("IDAT", zlib.compress(stream[:-5])) + tail,
                "truncated image data")
    cases.error("zlib_cut.png", head + chunk("IDAT", data[:len(data) // 2]) + tail, "truncated image data")
    cases.error("zlib_no_checksum.png", head + chunk("IDAT", data[:-4]) + tail, "truncated image data")
    bad_check = data[:-1] + bytes([data[-1] ^ 0xFF])
    cases.error("zlib_checksum.png", head + chunk("IDAT", bad_check) + tail, "corrupt image data")
    cases.error("idat_empty.png", head + chunk("IDAT") + tail, "truncated image data")


# ImageMagick pictures: (name, convert arguments writing to the name).
IMAGEMAGICK = (
    ("im_circle.png", ["-size", "32x32", "xc:none", "-fill", "rgba(200,60,30,0.8)", "-stroke", "navy",
                       "-strokewidth", "2", "-draw", "circle 16,16 16,4"]),
    ("im_palette.png", ["-size", "20x12", "gradient:red-blue", "-colors", "6", "-type", "Palette"]),
    ("im_gray_interlaced.png", ["-size", "19x17", "gradient:white-black", "-colorspace", "Gray", "-depth", "8",
                                "-interlace", "PNG"]),
)


def imagemagick_cases(cases, refresh):
    if refresh and shutil.which("convert") is None:
        sys.exit("ImageMagick's convert is not on PATH")
    for name, arguments in IMAGEMAGICK:
        path = os.path.join(DATA, name)
        stem = path[:-4]
        if refresh:
            target = ("PNG32:" if name == "im_circle.png" else "") + path
            subprocess.run(["convert", *arguments, "-define", "png:exclude-chunk=date,time", target], check=True)
            size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True).stdout
            width, height = map(int, size.split())
            raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
            pixels = [[r << 16 | g << 8 | b | a << 24
                       for r, g, b, a in (raw[i:i + 4] for i in range((y * width) * 4, (y + 1) * width * 4, 4))]
                      for y in range(height)]
            with open(stem + ".txt", "w") as f:
                f.write(f"{width} {height}\n")
                for row in pixels:
                    f.write(" ".join(f"{p:08x}" for p in row) + "\n")
        elif not os.path.exists(path):
            sys.exit(f"{name} is missing: run with --imagemagick")
        cases.lines.append(f"{name} ok")


def main():
    os.makedirs(DATA, exist_ok=True)
    for name in os.listdir(DATA):
        if not name.startswith("im_"):
            os.remove(os.path.join(DATA, name))
    rng = random.Random(20240611)
    cases = Cases()
    valid_cases(cases, rng)
    error_cases(cases, rng)
    imagemagick_cases(cases, "--imagemagick" in sys.argv[1:])
    with open(os.path.join(DATA, "cases.txt"), "w") as f:
        f.write("\n".join(cases.lines) + "\n")


if __name__ == "__main__":
    main()
