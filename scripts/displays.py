#!/usr/bin/python3
"""Private displays for the tests, the screenshots and the start-up benchmark: an Xvfb X server,
or a headless Wayland compositor: Weston (pixman renderer, no on-screen keyboard), GNOME's mutter
or KDE's KWin, each with a virtual screen of its own and stopped with the program that started
it. mutter and KWin talk on the D-Bus session bus they are started on.

As a command, runs COMMAND on a private display and stops the display after it; a compositor that
cannot start here is said so, and the command is not run (exit status 77):
displays.py xvfb [--size WxHxD] -- COMMAND...
displays.py weston|mutter|kwin -- COMMAND..."""

import argparse
import contextlib
import os
import shutil
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


class CannotStart(Exception):
    """A compositor that does not start on this machine, and why."""


def _runtime():
    runtime = tempfile.mkdtemp()
    os.chmod(runtime, 0o700)
    return runtime


@contextlib.contextmanager
def _compositor(command, runtime, socket, ready, env=None):
    """Yields once `ready()` holds and the compositor's socket is there, or raises CannotStart with
    what it said."""
    log = open(os.path.join(runtime, "log"), "w+")
    server = subprocess.Popen(command, env=dict(os.environ, XDG_RUNTIME_DIR=runtime, **(env or {})),
                              stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        deadline = time.monotonic() + LIMIT
        while not (ready() and os.path.exists(os.path.join(runtime, socket))):
            if server.poll() is not None or time.monotonic() > deadline:
                log.seek(0)
                said = log.read().strip().splitlines()
                raise CannotStart(f"{command[0]} did not come up: {said[-1] if said else 'nothing said'}")
            time.sleep(0.01)
        yield runtime
    finally:
        os.killpg(server.pid, 15)
        server.wait()
        log.close()


@contextlib.contextmanager
def weston(socket="quorvel"):
    """Yields the XDG_RUNTIME_DIR of a headless Weston whose socket is named `socket`."""
    runtime = _runtime()
    config = os.path.join(runtime, "weston.ini")
    with open(config, "w") as ini:
        ini.write("[input-method]\npath=\n")
    with _compositor(["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={socket}",
                      f"--config={config}"], runtime, socket, lambda: True) as ready:
        yield ready


@contextlib.contextmanager
def mutter(socket="quorvel"):
    """... of a headless mutter, GNOME's compositor, with a virtual 1280 x 800 screen; it runs the
    command after `--` once it is ready."""
    runtime = _runtime()
    ready = os.path.join(runtime, "ready")
    with _compositor(["mutter", "--wayland", "--headless", "--no-x11", f"--wayland-display={socket}",
                      "--virtual-monitor", "1280x800", "--", "sh", "-c", f"touch {ready}; exec sleep infinity"],
                     runtime, socket, lambda: os.path.exists(ready)) as started:
        yield started


@contextlib.contextmanager
def kwin(socket="quorvel"):
    """... of KDE's KWin on a virtual 1280 x 800 screen. Debian's kwin_wayland carries file
    capabilities that a machine without them in its bounding set will not run: a copy without them
    runs, named as KWin needs to load its own platform plugin."""
    runtime = _runtime()
    program = os.path.join(runtime, "kwin_wayland")
    shutil.copy(shutil.which("kwin_wayland") or "kwin_wayland", program)
    ready = os.path.join(runtime, "ready")
    session = os.path.join(runtime, "session.sh")
    with open(session, "w") as script:
        script.write(f"#!/bin/sh\ntouch {ready}\nexec sleep infinity\n")
    os.chmod(session, 0o755)
    with _compositor([program, "--virtual", "--socket", socket, "--width", "1280", "--height", "800",
                      "--no-lockscreen", "--exit-with-session", session], runtime, socket,
                     lambda: os.path.exists(ready), env={"HOME": runtime}) as started:
        yield started


COMPOSITORS = {"weston": weston, "mutter": mutter, "kwin": kwin}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kind", choices=["xvfb", *COMPOSITORS])
    parser.add_argument("--size", default="1024x768x24")
    split = sys.argv.index("--") if "--" in sys.argv else len(sys.argv)
    args, command = parser.parse_args(sys.argv[1:split]), sys.argv[split + 1:]
    if args.kind == "xvfb":
        with xvfb(args.size) as name:
            return subprocess.call(command, env=dict(os.environ, DISPLAY=name))
    try:
        with COMPOSITORS[args.kind]("quorvel") as runtime:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="quorvel", QT_QPA_PLATFORM="wayland")
            env.pop("DISPLAY", None)
            return subprocess.call(command, env=env)
    except (CannotStart, OSError) as cannot:
        print(f"skipped: {cannot}", file=sys.stderr)
        return 77


if __name__ == "__main__":
    sys.exit(main())
