#!/usr/bin/python3
"""Finishes the page's folder for serving: the service worker, with the list of the folder's files
and a version from their contents (a new build replaces the old cache), and beside each text file
its gzip and Brotli copies for servers that send them.

Usage: make_offline.py SITE_DIR SERVICE_WORKER.js.in"""

import gzip
import hashlib
import json
import pathlib
import sys

import brotli

COMPRESSED = (".gz", ".br")
TEXT = (".html", ".css", ".js", ".wasm", ".webmanifest", ".svg", ".txt")  # the rest is compressed already


def main(site, template):
    site = pathlib.Path(site)
    files = sorted(path for path in site.iterdir()
                   if path.is_file() and path.suffix not in COMPRESSED and path.name != "sw.js")
    version = hashlib.sha256(b"".join(path.read_bytes() for path in files)).hexdigest()[:16]
    names = ["./"] + [path.name for path in files]
    worker = pathlib.Path(template).read_text(encoding="utf-8")
    worker = worker.replace("@VERSION@", version).replace("@FILES@", ", ".join(map(json.dumps, names)))
    (site / "sw.js").write_text(worker, encoding="utf-8")
    for path in files + [site / "sw.js"]:
        if path.suffix not in TEXT:
            continue
        data = path.read_bytes()
        (site / (path.name + ".gz")).write_bytes(gzip.compress(data, 9, mtime=0))
        (site / (path.name + ".br")).write_bytes(brotli.compress(data, quality=11))


if __name__ == "__main__":
    main(*sys.argv[1:])
