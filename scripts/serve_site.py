#!/usr/bin/python3
"""Serves the page's folder on the loopback: on the first free port from 8000 on, on the port
asked for, or with --port 0 on any free one; says the address it really serves, and stops cleanly
on Ctrl+C. Each file goes out compressed where the folder has a Brotli or gzip copy that the
browser accepts, and every answer carries the page's own content security policy (that of its
index.html, where it states one), with the one rule that only a server can give: no framing.
Given more folders, each path comes from the first folder that has it. The page's build draws its
first window in with the same server (app/web/prerender.py), and its pictures and start-up
benchmark are taken through it, so that they all see what a browser gets from this one.

Usage: serve_site.py FOLDER [FOLDER...] [--port N]"""

import argparse
import functools
import http.server
import os
import re
import sys

TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".woff2": "font/woff2", ".js": "text/javascript"}


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, folders, policy, compressed, **kwargs):
        self.folders, self.policy, self.compressed = folders, policy, compressed
        super().__init__(*args, directory=folders[0], **kwargs)

    def translate_path(self, path):
        for folder in self.folders:
            self.directory = folder
            found = super().translate_path(path)
            if os.path.exists(found):
                break
        return found

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepted = self.headers.get("Accept-Encoding", "") if self.compressed else ""
        for suffix, encoding in ((".br", "br"), (".gz", "gzip")):
            if encoding in accepted and os.path.isfile(path + suffix):
                body = open(path + suffix, "rb")
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(path))
                self.send_header("Content-Encoding", encoding)
                self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
                self.end_headers()
                return body
        return super().send_head()

    def end_headers(self):
        if self.policy:
            self.send_header("Content-Security-Policy", self.policy + "; frame-ancestors 'none'")
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1]) or super().guess_type(path)

    def log_message(self, *args):
        pass


def server(folders, port, compressed=True):
    """A server of the folders on the loopback, not yet serving; port 0 takes any free one."""
    page = os.path.join(folders[0], "index.html")
    stated = os.path.isfile(page) and re.search(
        r'<meta http-equiv="Content-Security-Policy" content="([^"]+)">',
        open(page, encoding="utf-8").read())
    handler = functools.partial(Handler, folders=[str(folder) for folder in folders],
                                policy=stated[1] if stated else None, compressed=compressed)
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folders", nargs="+")
    parser.add_argument("--port", type=int)
    args = parser.parse_args()
    for port in [args.port] if args.port is not None else range(8000, 8100):
        try:
            serving = server(args.folders, port)
            break
        except OSError as error:
            if args.port is not None:
                return f"Cannot serve on port {port}: {error.strerror}"
    else:
        return "No free port from 8000 to 8099: name one with --port"
    port = serving.server_address[1]
    print(f"Serving {args.folders[0]} at http://127.0.0.1:{port}/ (Ctrl+C stops)", flush=True)
    with serving:
        try:
            serving.serve_forever()
        except KeyboardInterrupt:
            print("\nStopped.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
