#!/usr/bin/python3
"""A smoke test of the built program, driven from outside as a screen reader would: through
AT-SPI on a private X display, or natively on a headless Wayland compositor: Weston, which has no
input devices and closes no windows for us, GNOME's mutter or KDE's KWin, which also minimises
the explanation as a user would, and must find the program still usable. Run inside its
own D-Bus session: dbus-run-session -- atspi_e2e.py PROGRAM [weston|mutter|kwin]
A compositor that does not start here is said so, and the test skipped (exit status 77)."""

import os
import subprocess
import sys
import contextlib
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402
from Xlib import X, XK, Xatom, display as xdisplay  # noqa: E402
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


def minimise(title):
    """The window titled `title` minimised by KWin, by a script of its own."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)

    def call(name, path, interface, method, arguments=None):
        return bus.call_sync(name, path, interface, method, arguments, None, 0, 5000, None).unpack()
    with tempfile.NamedTemporaryFile("w", suffix=".js") as script:
        script.write(f"for (const c of workspace.clientList()) if (c.caption == {title!r}) c.minimized = true;")
        script.flush()
        number = call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "loadScript",
                      GLib.Variant("(ss)", (script.name, "minimise")))[0]
        call("org.kde.KWin", f"/{number}", "org.kde.kwin.Script", "run")


def set_work_area(x, y, width, height):
    """The X screen's work area, as a panel's window manager sets it."""
    x11 = xdisplay.Display()
    x11.screen().root.change_property(x11.intern_atom("_NET_WORKAREA"), Xatom.CARDINAL, 32, [x, y, width, height])
    x11.flush()


def main(program, compositor):
    with contextlib.ExitStack() as servers:
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8")
        if compositor:
            try:
                runtime = servers.enter_context(displays.COMPOSITORS[compositor]("quorvel-test"))
            except displays.CannotStart as cannot:
                print(f"skipped: {cannot}")
                sys.exit(77)
            env.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="quorvel-test", QT_QPA_PLATFORM="wayland")
            env.pop("DISPLAY", None)
        else:
            name = servers.enter_context(displays.xvfb())
            env.update(DISPLAY=name, QT_QPA_PLATFORM="xcb")
            os.environ["DISPLAY"] = name
        drive(program, compositor, env)


def drive(program, compositor, env):
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
            (role.PUSH_BUTTON, "开始计算"), (role.NOTIFICATION, "")] + [(role.FILLER, "")] * bool(compositor)
        size_in, new_rule, size_out, explain = (children(main_window)[i] for i in (3, 1, 6, 8))
        if compositor in ("mutter", "kwin"):  # which activate a new window, its box's text selected then
            wait_for("the main window active", lambda: main_window.get_state_set().contains(Atspi.StateType.ACTIVE))

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
        # Minimised by the compositor, the explanation comes back at once, shown anew, where it
        # takes the keyboard: the main window, which the compositor activates instead, cannot be
        # used. Checked on KWin, which minimises it on a script's word: on mutter, minimised by
        # Super+H, it stayed down in about one run in ten, not yet understood.
        if compositor == "kwin":
            wait_for("the explanation active", lambda: explanation.get_state_set().contains(Atspi.StateType.ACTIVE))
            shown = []

            def showing(event):
                if event.source.get_name() == "原理":
                    shown.append(event.detail1)
            watch = Atspi.EventListener.new(showing)
            watch.register("object:state-changed:showing")
            minimise("原理")
            wait_for("the explanation shown anew", lambda: shown[-2:] == [0, 1])
            wait_for("the explanation active again",
                     lambda: explanation.get_state_set().contains(Atspi.StateType.ACTIVE))
        # With no window manager to close them, Alt+F4 does: the explanation, then the main window.
        # On Wayland each window's own title bar has a close box, and no other button.
        for window in (explanation, main_window):
            if compositor:
                title_bar = children(window)[-1]
                assert [(kid.get_role(), kid.get_name()) for kid in children(title_bar)] == [(role.PUSH_BUTTON, "关闭")]
                Atspi.Action.do_action(children(title_bar)[0], 0)
            else:
                alt_f4()
            if window == explanation:
                wait_for("the main window enabled again",
                         lambda: size_in.get_state_set().contains(Atspi.StateType.ENABLED))
                if not compositor:
                    # Panels take the screen's right and bottom, where the main window stands: it
                    # is placed anew, whole in what is left.
                    set_work_area(0, 0, 420, 320)
                    wait_for("the main window within the work area", lambda: (lambda at: at.x + at.width <= 420 and at.y + at.height <= 320)(
                        Atspi.Component.get_extents(main_window, Atspi.CoordType.SCREEN)))
        assert quorvel.wait(TIMEOUT) == 0
        assert not quorvel.stderr.read(), "no warnings"
    finally:
        if quorvel.poll() is None:
            quorvel.kill()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None)
