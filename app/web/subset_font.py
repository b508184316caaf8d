#!/usr/bin/python3
"""Writes the web font of the page: the Song face reduced to the characters the program can show
(every character of the windows' sources and of the page, and printable ASCII for what the user
types), as WOFF2.

Usage: subset_font.py FONT.ttc OUT.woff2 SOURCE..."""

import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection


def characters(sources):
    found = set(map(chr, range(0x20, 0x7F)))
    for source in sources:
        found.update(pathlib.Path(source).read_text(encoding="utf-8"))
    return {c for c in found if c >= " "}


def main(collection, out, *sources):
    font = next(f for f in TTCollection(collection).fonts
                if f["name"].getDebugName(1) == "AR PL UMing CN")
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.notdef_outline = True
    # Tables the page has no use for, dropped without the subsetter's notice of each.
    options.drop_tables += ["BDF", "FFTM"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(characters(sources))))
    subsetter.subset(font)
    font.flavor = "woff2"
    font.save(out)


if __name__ == "__main__":
    main(*sys.argv[1:])
