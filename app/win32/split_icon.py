#!/usr/bin/env python3
"""Splits a one-image ICO file into the raw resources of an icon: the image (RT_ICON) and the
group directory (RT_GROUP_ICON) that names it by a fixed id.

Usage: split_icon.py ICO IMAGE_ID IMAGE_OUT GROUP_OUT"""

import struct
import sys


def main(ico_path, image_id, image_out, group_out):
    with open(ico_path, "rb") as ico:
        data = ico.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, 1):
        sys.exit(f"{ico_path}: expected an icon file with one image")
    width, height, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    with open(image_out, "wb") as image:
        image.write(data[offset:offset + size])
    with open(group_out, "wb") as group:
        group.write(struct.pack("<HHH", 0, 1, 1))
        group.write(struct.pack("<BBBBHHIH", width, height, colours, 0, planes, bits, size, int(image_id)))


if __name__ == "__main__":
    main(*sys.argv[1:])
