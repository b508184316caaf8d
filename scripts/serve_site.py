#!/usr/bin/python3
"""Serves the page's folder on the loopback: on the first free port from 8000 on, or on the port
asked for; says the address it really serves, and stops cleanly on Ctrl+C.

Usage: serve_site.py FOLDER [--port N]"""

import argparse
import functools
import http.server
import sys


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--port", type=int)
    args = parser.parse_args()
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=args.folder)
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
