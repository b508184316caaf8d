#!/usr/bin/python3
"""Start-up benchmark: starts the program and a bare Qt window with the same widget set, taking
turns, on a private Xvfb display, and reports for each the time until its window is mapped,
until it is first painted, and its resident memory once up: medians with min-max.

Usage: startup.py QUORVEL BARE_WINDOW [--runs N]"""

import argparse
import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display as xdisplay

SETTLE = 0.3  # seconds after the first paint before memory is read


def start_display():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-noreset", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        return server, ":" + reader.readline().strip()


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
            event = x.next_event()
            if event.type == X.MapNotify:
                mapped = time.perf_counter() - start
                window = event.window
                break
        while not painted(window):
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


def summary(values, unit):
    return f"{statistics.median(values):6.1f} {unit} ({min(values):.1f}-{max(values):.1f})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("quorvel")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()

    server, name = start_display()
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
        x = xdisplay.Display(name)
        x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        programs = {"quorvel": args.quorvel, "bare Qt window": args.bare}
        results = {label: [] for label in programs}
        for run in range(args.runs + 1):  # run 0 warms the caches and is not counted
            order = list(programs.items())
            if run % 2:
                order.reverse()
            for label, program in order:
                figures = measure(x, program, env)
                if run:
                    results[label].append(figures)
        print(f"{args.runs} runs each, medians (min-max)")
        for label, runs in results.items():
            mapped, paint, memory = zip(*runs)
            print(f"{label:15} mapped {summary(mapped, 'ms')}  painted {summary(paint, 'ms')}"
                  f"  resident {summary(memory, 'MiB')}")
        ratio = statistics.median(r[0] for r in results["quorvel"]) / statistics.median(
            r[0] for r in results["bare Qt window"])
        extra = statistics.median(r[2] for r in results["quorvel"]) - statistics.median(
            r[2] for r in results["bare Qt window"])
        print(f"quorvel against the bare window: {ratio:.2f}x the time to map, {extra:+.1f} MiB")
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
