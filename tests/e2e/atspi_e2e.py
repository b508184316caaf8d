#!/usr/bin/python3
"""A smoke test of the built program, driven from outside as a screen reader would: through
AT-SPI on a private X display, or with --wayland natively under a headless Weston compositor,
which has no input devices and closes no windows for us. Run inside its own D-Bus session:
dbus-run-session -- atspi_e2e.py PROGRAM [--wayland]"""

import os
import subprocess
import sys
import contextlib
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
from Xlib import X, XK, display as xdisplay  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import displays  # noqa: E402

TIMEOUT = 15


def wait_for(what, find):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):  # the events that came meanwhile
            pass
        found = find()
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def children(node):
    """Each child, in the order a screen reader meets them."""
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def child_named(node, name, role=None):
    return next((kid for kid in children(node) if kid.get_name() == name and role in (None, kid.get_role())), None)


def reads_as(box, text):
    """What a screen reader asks of a text box agrees with its text: every range of it, one run of
    attributes over all of it from any offset, a caret and a selection put anywhere in it."""
    n = len(text)
    assert box.get_character_count() == n and box.get_text(0, -1) == text, box.get_text(0, -1)
    for start in range(n + 1):
        assert [box.get_text(start, end) for end in range(start, n + 1)] == [text[start:end] for end in range(start, n + 1)]
        assert Atspi.Text.get_attribute_run(box, start, False)[1:] == (0, n), (text, start)
        box.set_caret_offset(start)
        assert box.get_caret_offset() == start and box.get_n_selections() == 0
        if start:
            box.set_selection(0, start // 2, start)
            chosen = box.get_selection(0)
            assert box.get_n_selections() == 1 and (chosen.start_offset, chosen.end_offset) == (start // 2, start)


def alt_f4():
    """Alt+F4 on the X display's keyboard, to the window that has it."""
    x = xdisplay.Display()
    for key, down in (("Alt_L", True), ("F4", True), ("F4", False), ("Alt_L", False)):
        xtest.fake_input(x, X.KeyPress if down else X.KeyRelease, x.keysym_to_keycode(XK.string_to_keysym(key)))
    x.flush()


def main(program, wayland):
    with contextlib.ExitStack() as servers:
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8")
        if wayland:
            runtime = servers.enter_context(displays.weston("quorvel-test"))
            env.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="quorvel-test", QT_QPA_PLATFORM="wayland")
            env.pop("DISPLAY", None)
        else:
            name = servers.enter_context(displays.xvfb())
            env.update(DISPLAY=name, QT_QPA_PLATFORM="xcb")
            os.environ["DISPLAY"] = name
        drive(program, wayland, env)


def drive(program, wayland, env):
    # Every argument ignored, Qt's own too: obeyed, these would take the program off the display.
    quorvel = subprocess.Popen([program, "-platform", "offscreen", "-reverse"], env=env,
                               stderr=subprocess.PIPE, text=True)
    try:
        desktop = Atspi.get_desktop(0)
        app = wait_for("the program on the accessibility bus",
                       lambda: child_named(desktop, os.path.basename(program)))
        role = Atspi.Role
        main_window = wait_for("the main window as a frame", lambda: child_named(app, "Prelvane", role.FRAME))
        # Line by line, each from the left.
        assert [(kid.get_role(), kid.get_name()) for kid in children(main_window)] == [
            (role.RADIO_BUTTON, "旧算法"), (role.RADIO_BUTTON, "新算法"), (role.LABEL, "分区："),
            (role.TEXT, "分区 (GB)"), (role.LABEL, "GB"), (role.LABEL, "应输整数："),
            (role.TEXT, "应输整数 (MB)"), (role.LABEL, "MB"), (role.PUSH_BUTTON, "了解原理"),
            (role.PUSH_BUTTON, "开始计算"), (role.NOTIFICATION, "")]
        size_in, new_rule, size_out, explain = (children(main_window)[i] for i in (3, 1, 6, 8))

        # A new result is shown as a notification, which a screen reader speaks; the box reads whole.
        heard = []

        def hear(event):
            try:
                if event.source.get_role() == role.NOTIFICATION and event.detail1:
                    heard.append(event.source.get_name())
            except GLib.Error:  # a notification already gone
                pass
        listener = Atspi.EventListener.new(hear)
        listener.register("object:state-changed:showing")
        Atspi.EditableText.set_text_contents(size_in, "4")
        Atspi.Action.do_action(new_rule, 0)
        wait_for("4103 announced", lambda: "4103" in heard)
        Atspi.Action.do_action(new_rule, 0)  # the same result again, heard again
        wait_for("4103 announced twice", lambda: heard.count("4103") == 2)
        # Short, long and cut texts read as they are, whole or in any part.
        for typed, result in (("4", "4103"), ("16065", "16450568"), ("1.2345678901234E+200", "1.26419751948636E+203")):
            Atspi.EditableText.set_text_contents(size_in, typed)
            Atspi.Action.do_action(new_rule, 0)
            wait_for(result, lambda: size_out.get_text(0, -1) == result)
            for box, text in ((size_in, typed), (size_out, result)):
                reads_as(box, text)

        Atspi.Action.do_action(explain, 0)
        explanation = wait_for("the explanation window as a frame", lambda: child_named(app, "原理", role.FRAME))
        assert children(explanation)[0].get_name() == "新算法："
        wait_for("the explanation read out whole", lambda: any(
            text.startswith("新算法：\n1柱面大小") and text.endswith("GB*1024\nPrelvane 开发组 制作\n") for text in heard))
        wait_for("the main window disabled",
                 lambda: not size_in.get_state_set().contains(Atspi.StateType.ENABLED))
        if wayland:
            quorvel.terminate()
            warnings = quorvel.communicate(timeout=TIMEOUT)[1]
            assert not warnings, warnings
            return
        # With no window manager to close them, Alt+F4 does: the explanation, then the main window.
        alt_f4()
        wait_for("the main window enabled again",
                 lambda: size_in.get_state_set().contains(Atspi.StateType.ENABLED))
        alt_f4()
        assert quorvel.wait(TIMEOUT) == 0
        assert not quorvel.stderr.read(), "no warnings"
    finally:
        if quorvel.poll() is None:
            quorvel.kill()


if __name__ == "__main__":
    main(sys.argv[1], "--wayland" in sys.argv[2:])
