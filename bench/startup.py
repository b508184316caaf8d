#!/usr/bin/python3
"""Start-up benchmark: starts the program and a bare Qt window with the same widget set, taking
turns, on a private Xvfb display, and reports for each the time until its window is mapped,
until it is first painted, and its resident memory once up: medians with min-max.

With --wayland the program also runs natively under a headless Weston compositor, in the same
turns: there the figures are the time until its window is first configured, until it first
commits a painted buffer (read from the Wayland protocol log), and its resident memory. With
--console the terminal's program runs too, in a pseudo-terminal of 80 x 24 that answers as a
terminal emulator does: its figure is the time until its first full frame has been written (the main window's bottom-right corner), and its
resident memory then.

Usage: startup.py QUORVEL BARE_WINDOW [--runs N] [--wayland] [--console QUORVEL_CONSOLE]"""

import argparse
import contextlib
import fcntl
import os
import pty
import statistics
import struct
import subprocess
import sys
import termios
import time

from Xlib import X, display as xdisplay

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import displays  # noqa: E402

SETTLE = 0.3  # seconds after the first paint before memory is read
LIMIT = 10  # seconds a window or a server may take to come up


def within_limit(start, what):
    if time.perf_counter() - start > LIMIT:
        raise TimeoutError(f"{what} did not come up within {LIMIT} s")


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


def painted(window):
    """True once the window shows more than one colour: unpainted, it shows the black root."""
    geometry = window.get_geometry()
    image = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    return image.count(image[:4]) * 4 != len(image)


def measure(x, program, env):
    root = x.screen().root
    start = time.perf_counter()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while True:
            while not x.pending_events():
                within_limit(start, program)
                time.sleep(0.0005)
            event = x.next_event()
            if event.type == X.MapNotify:
                mapped = time.perf_counter() - start
                window = event.window
                break
        while not painted(window):
            within_limit(start, program)
            time.sleep(0.0005)
        first_paint = time.perf_counter() - start
        time.sleep(SETTLE)
        return mapped * 1000, first_paint * 1000, resident_mib(process.pid)
    finally:
        process.kill()
        process.wait()
        root.get_geometry()  # round trip: drain the unmap and destroy events
        while x.pending_events():
            x.next_event()


def measure_wayland(program, env):
    start = time.perf_counter()
    process = subprocess.Popen([program], env=dict(env, WAYLAND_DEBUG="client"),
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        configured = attached = None
        for line in process.stderr:
            if configured is None and "xdg_toplevel@" in line and ".configure(" in line:
                configured = time.perf_counter() - start
            attached = attached or (".attach(wl_buffer@" in line)
            if attached and ".commit()" in line:
                painted = time.perf_counter() - start
                break
        time.sleep(SETTLE)
        return configured * 1000, painted * 1000, resident_mib(process.pid)
    finally:
        process.kill()
        process.wait()


def measure_console(program):
    leader, follower = pty.openpty()
    fcntl.ioctl(follower, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 80, 0, 0))
    start = time.perf_counter()
    process = subprocess.Popen([program], stdin=follower, stdout=follower, stderr=follower,
                               env=dict(os.environ, TERM="xterm-256color", LANG="C"))
    os.close(follower)
    try:
        # Answered as a terminal emulator answers what the program asks before it draws: its
        # make, and where its cursor stands after one Chinese character.
        written = b""
        while "┘".encode() not in written:
            within_limit(start, program)
            written += os.read(leader, 65536)
            if written.endswith(b"\033[6n"):
                os.write(leader, b"\033[>0;0;0c\033[1;3R")
        framed = time.perf_counter() - start
        return framed * 1000, framed * 1000, resident_mib(process.pid)
    finally:
        process.kill()
        process.wait()
        os.close(leader)


def summary(values, unit):
    return f"{statistics.median(values):6.1f} {unit} ({min(values):.1f}-{max(values):.1f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("quorvel")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--wayland", action="store_true")
    parser.add_argument("--console")
    args = parser.parse_args()

    with contextlib.ExitStack() as stack:
        name = stack.enter_context(displays.xvfb())
        runtime = stack.enter_context(displays.weston("quorvel-bench")) if args.wayland else None
        # Started as from an X desktop: the program finds the display itself, as it does there.
        env = {key: value for key, value in os.environ.items()
               if key not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env.update(DISPLAY=name, LANG="C.UTF-8")
        x = xdisplay.Display(name)
        x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        programs = {"quorvel": args.quorvel, "bare Qt window": args.bare}
        if args.wayland:
            programs["quorvel, Wayland"] = args.quorvel
            wayland_env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="quorvel-bench",
                               QT_QPA_PLATFORM="wayland", LANG="C.UTF-8")
        if args.console:
            programs["quorvel-console"] = args.console
        results = {label: [] for label in programs}
        for run in range(args.runs + 1):  # run 0 warms the caches and is not counted
            order = list(programs.items())
            if run % 2:
                order.reverse()
            for label, program in order:
                figures = (measure_wayland(program, wayland_env) if label.endswith("Wayland")
                           else measure_console(program) if label == "quorvel-console"
                           else measure(x, program, env))
                if run:
                    results[label].append(figures)
        print(f"{args.runs} runs each, medians (min-max)")
        for label, runs in results.items():
            mapped, paint, memory = zip(*runs)
            print(f"{label:17} mapped {summary(mapped, 'ms')}  painted {summary(paint, 'ms')}"
                  f"  resident {summary(memory, 'MiB')}")
        mapped, painted = (statistics.median(r[i] for r in results["quorvel"]) / statistics.median(
            r[i] for r in results["bare Qt window"]) for i in (0, 1))
        extra = statistics.median(r[2] for r in results["quorvel"]) - statistics.median(
            r[2] for r in results["bare Qt window"])
        print(f"quorvel against the bare window: {mapped:.2f}x the time to map, {painted:.2f}x to"
              f" paint, {extra:+.1f} MiB")
        if args.wayland:
            medians = {label: [statistics.median(r[i] for r in results[label]) for i in (1, 2)]
                       for label in ("quorvel", "quorvel, Wayland")}
            paint, memory = (medians["quorvel, Wayland"][i] / medians["quorvel"][i] for i in (0, 1))
            print(f"quorvel on Wayland against X11: {paint:.2f}x the time to paint, {memory:.2f}x the memory")


if __name__ == "__main__":
    sys.exit(main())
