#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into OUT/<target>/.

Usage: make_seeds.py OUT QUARZEL_CLI SHARED_DIR

The real images and code-page files of SHARED_DIR are taken when the folder
is there; the small inputs made here (the built-in sample, its fonts, BMPs,
a code-page file, edit options) are always written, so that every target
starts from inputs it accepts.
"""
import pathlib
import random
import struct
import subprocess
import sys


def write(folder, name, data):
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def shared_files(shared, sub):
    folder = shared / sub
    if not folder.is_dir():
        return []
    return sorted(p for p in folder.iterdir() if p.is_file() and p.suffix.lower() != ".md")


def bmp4(width, height, compression=0):
    """A 16-colour BMP, bottom-up, each row padded to 4 bytes."""
    row = (width + 7) // 8 * 4
    pixels = bytes((17 * (y + x)) & 0xFF for y in range(height) for x in range(row))
    colours = b"".join(bytes((8 * i, 255 - 16 * i, 16 * i, 0)) for i in range(16))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, compression, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(colours)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


def code_page_file(entries):
    """A DOS screen-font file: entries back to back, each with its fonts."""
    body = b""
    for code_page, heights in entries:
        fonts = b"".join(struct.pack("<BBBBH", h, 8, 0, 0, 256) + bytes((c * 7 + r) & 0xFF for c in range(256) for r in range(h))
                         for h in heights)
        body += struct.pack("<HIH8sH6sIHHH", 28, 0, 1, b"EGA     ", code_page, b"\0" * 6, 0, 1, len(heights), len(fonts)) + fonts
    return b"\xffFONT   " + b"\0" * 8 + struct.pack("<HBI", 1, 1, 23) + struct.pack("<H", len(entries)) + body


def edit_options(*args):
    return b"\0".join(a.encode("latin-1") for a in args)


def main():
    out, cli, shared = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
    sample = out / "sample.rom"
    out.mkdir(parents=True, exist_ok=True)
    subprocess.run([cli, "sample", "-o", str(sample)], check=True)
    roms = [sample] + shared_files(shared, "roms")

    for rom in roms:
        image = rom.read_bytes()
        write(out / "rom-light", rom.name, image)
        # Each image with a few edit scripts of chosen lengths; the fuzzer
        # finds the edits in them.
        generator = random.Random(rom.name)
        for length in (16, 64, 256):
            script = bytes(generator.randrange(256) for _ in range(length))
            write(out / "rom-edits", f"{rom.name}.{length}", image + script + struct.pack("<H", length))
        for size in ("8x8", "8x14", "8x16"):
            font = out / "font-file" / f"{rom.stem}.{size}.fnt"
            font.parent.mkdir(parents=True, exist_ok=True)
            subprocess.run([cli, "font", "export", str(rom), size, "-o", str(font)], stderr=subprocess.DEVNULL)

    for path in shared_files(shared, "data"):
        write(out / "code-page", path.name, path.read_bytes())
    write(out / "code-page", "made.cpi", code_page_file([(437, (16, 14, 8)), (850, (8,)), (1252, ())]))

    write(out / "bmp", "16x8.bmp", bmp4(16, 8))
    write(out / "bmp", "120x127.bmp", bmp4(120, 127))
    write(out / "bmp", "8x-3.bmp", bmp4(8, -3))
    write(out / "bmp", "rle.bmp", bmp4(16, 2, compression=2))

    options = out / "cli-options"
    write(options, "strings", edit_options("in.rom", "-o", "out.rom", "--string1", "Tuned\\r\\n\\x41\\\\", "--string2", "x",
                                           "--date", "12/08/26", "--vesa", "vendor-name=3dfx Interactive, Inc."))
    write(options, "registers", edit_options("in.rom", "--dry-run", "--register", "SGRAMmode=0x1F", "--pll", "1,3,74,1",
                                              "--field", "AgpInit0:7..10=12", "--field", "PCIInit0:2..6=16", "--clock", "108.8"))
    write(options, "files", edit_options("in.rom", "-o", "o", "--font", "8x14=f.fnt", "--codepage", "C:\\fonts\\ega.cpi:437:8x8,8x16",
                                         "--logo", "l.bmp", "--logo-line", "5=line"))


if __name__ == "__main__":
    main()
