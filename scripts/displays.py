#!/usr/bin/python3
"""Private displays for the tests, the screenshots and the start-up benchmark: an Xvfb X server,
or a headless Weston compositor (pixman renderer, no on-screen keyboard), each stopped with the
program that started it.

As a command, runs COMMAND on a private X display and stops the display after it:
displays.py xvfb [--size WxHxD] -- COMMAND..."""

import argparse
import contextlib
import os
import subprocess
import sys
import tempfile
import time

LIMIT = 10  # seconds a server may take to come up


@contextlib.contextmanager
def xvfb(size="1024x768x24"):
    """Yields the name of a private X display, such as ':5'."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-noreset", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        # The server writes the number and the newline apart, and dies if the pipe closes between.
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        yield ":" + number
    finally:
        # A server still shutting down would remove the socket of the next one on its display.
        server.terminate()
        server.wait()


@contextlib.contextmanager
def weston(socket="quorvel"):
    """Yields the XDG_RUNTIME_DIR of a headless Weston whose socket is named `socket`."""
    runtime = tempfile.mkdtemp()
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w") as ini:
        ini.write("[input-method]\npath=\n")
    server = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={socket}",
         f"--config={config}"], env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + LIMIT
        while not os.path.exists(os.path.join(runtime, socket)):
            if time.monotonic() > deadline:
                raise TimeoutError(f"weston did not come up within {LIMIT} s")
            time.sleep(0.01)
        yield runtime
    finally:
        server.terminate()
        server.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kind", choices=["xvfb"])
    parser.add_argument("--size", default="1024x768x24")
    split = sys.argv.index("--") if "--" in sys.argv else len(sys.argv)
    args, command = parser.parse_args(sys.argv[1:split]), sys.argv[split + 1:]
    with xvfb(args.size) as name:
        return subprocess.call(command, env=dict(os.environ, DISPLAY=name))


if __name__ == "__main__":
    sys.exit(main())
