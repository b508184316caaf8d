#!/usr/bin/python3
"""Serves the page's folder on the loopback: on the first free port from 8000 on, or on the port
asked for; says the address it really serves, and stops cleanly on Ctrl+C. Each file goes out
compressed where the folder has a Brotli or gzip copy that the browser accepts, and every answer
carries the page's own content security policy (that of its index.html), with the one rule that
only a server can give: no framing.

Usage: serve_site.py FOLDER [--port N]"""

import argparse
import functools
import http.server
import os
import re
import sys

TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".woff2": "font/woff2", ".js": "text/javascript"}


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, policy, **kwargs):
        self.policy = policy
        super().__init__(*args, **kwargs)

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepted = self.headers.get("Accept-Encoding", "")
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
        self.send_header("Content-Security-Policy", self.policy)
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1]) or super().guess_type(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--port", type=int)
    args = parser.parse_args()
    page = open(os.path.join(args.folder, "index.html"), encoding="utf-8").read()
    policy = re.search(r'<meta http-equiv="Content-Security-Policy" content="([^"]+)">', page)
    if not policy:
        return f"{args.folder}/index.html states no content security policy"
    handler = functools.partial(Handler, directory=args.folder,
                                policy=policy[1] + "; frame-ancestors 'none'")
    for port in [args.port] if args.port else range(8000, 8100):
        try:
            server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
            break
        except OSError as error:
            if args.port:
                return f"Cannot serve on port {port}: {error.strerror}"
    else:
        return "No free port from 8000 to 8099: name one with --port"
    print(f"Serving {args.folder} at http://127.0.0.1:{port}/ (Ctrl+C stops)", flush=True)
    with server:
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            print("\nStopped.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
