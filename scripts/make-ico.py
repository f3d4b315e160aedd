#!/usr/bin/env python3
"""Writes resources/app/moravel.ico from the program's PNG pictures in resources/app.

Each size is stored as its PNG, as icon files may hold them since Windows Vista, so the icon is
exactly the pictures the Linux desktop shows. Run again after a picture changes.
"""
import pathlib
import struct

SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources" / "app"
    images = [(size, (folder / f"moravel-{size}.png").read_bytes()) for size in SIZES]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in images:
        side = 0 if size >= 256 else size  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    body = b"".join(data for _, data in images)
    (folder / "moravel.ico").write_bytes(header + entries + body)


if __name__ == "__main__":
    main()
