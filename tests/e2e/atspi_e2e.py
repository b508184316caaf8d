#!/usr/bin/python3
"""Drives the built program from outside, as a screen reader would: through AT-SPI on a private
X display. Run inside its own D-Bus session: dbus-run-session -- atspi_e2e.py PROGRAM"""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
from Xlib import X, display as xdisplay, protocol  # noqa: E402

TIMEOUT = 15


def wait_for(what, find):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def start_display():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-noreset", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    # The server writes the number and the newline apart, and dies if the pipe closes between.
    with os.fdopen(read_end) as reader:
        number = reader.readline().strip()
    return server, f":{number}"


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role, name=None):
    for node in descendants(root):
        if node.get_role() == role and (name is None or node.get_name() == name):
            return node
    return None


def application(program_name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == program_name:
            return app
    return None


BOX_ROLES = (Atspi.Role.ALERT, Atspi.Role.DIALOG)
WINDOW_ROLES = (Atspi.Role.FRAME, Atspi.Role.DIALOG)


def children(node):
    return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]


def top_window(app, title, boxes=False):
    """The showing top-level window with this title: a message box, or else a frame."""
    for i in range(app.get_child_count()):
        child = app.get_child_at_index(i)
        if (child is not None and child.get_name() == title
                and (child.get_role() == Atspi.Role.ALERT) == boxes
                and child.get_state_set().contains(Atspi.StateType.SHOWING)):
            return child
    return None


def text_of(node):
    return node.get_text(0, -1)


def press(button):
    Atspi.Action.do_action(button, 0)


def enabled(node):
    return node.get_state_set().contains(Atspi.StateType.ENABLED)


def close_x_window(title):
    """Asks the window to close as a window manager would (there is none here)."""
    x = xdisplay.Display()
    root = x.screen().root
    net_wm_name = x.intern_atom("_NET_WM_NAME")
    utf8 = x.intern_atom("UTF8_STRING")
    protocols = x.intern_atom("WM_PROTOCOLS")
    delete = x.intern_atom("WM_DELETE_WINDOW")
    for window in root.query_tree().children:
        name = window.get_full_property(net_wm_name, utf8)
        if name and name.value.decode() == title:
            event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                                 data=(32, [delete, X.CurrentTime, 0, 0, 0]))
            window.send_event(event)
            x.flush()
            return
    raise AssertionError(f"no X window titled {title}")


def answer_box(app, title, expected_text):
    box = wait_for(f"box {title}", lambda: top_window(app, title, boxes=True))
    names = [n.get_name() for n in descendants(box)]
    assert expected_text in names, f"{title}: {names}"
    press(wait_for("OK button", lambda: find(box, Atspi.Role.PUSH_BUTTON, "确定")))
    wait_for(f"box {title} to close", lambda: top_window(app, title, boxes=True) is None)


def main(program):
    server, name = start_display()
    env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8")
    os.environ["DISPLAY"] = name
    quorvel = subprocess.Popen([program, "--ignored-argument"], env=env)
    try:
        app = wait_for("the program on the accessibility bus",
                       lambda: application(os.path.basename(program)))
        main_window = wait_for("main window", lambda: top_window(app, "Prelvane"))
        size_in = wait_for("Text1", lambda: find(main_window, Atspi.Role.TEXT, "分区 (GB)"))
        size_out = find(main_window, Atspi.Role.TEXT, "应输整数 (MB)")
        calculate = find(main_window, Atspi.Role.PUSH_BUTTON, "开始计算")
        explain = find(main_window, Atspi.Role.PUSH_BUTTON, "了解原理")
        new_rule = find(main_window, Atspi.Role.RADIO_BUTTON, "新算法")
        assert find(main_window, Atspi.Role.RADIO_BUTTON, "旧算法")
        # A window, and its controls in reading order: line by line, each from the left.
        assert main_window.get_role() in WINDOW_ROLES, main_window.get_role_name()
        assert children(main_window) == ["旧算法", "新算法", "分区：", "分区 (GB)", "GB", "应输整数：",
                                         "应输整数 (MB)", "MB", "了解原理", "开始计算"], children(main_window)

        Atspi.EditableText.set_text_contents(size_in, "4")
        press(calculate)
        wait_for("4102", lambda: text_of(size_out) == "4102")
        press(new_rule)
        wait_for("4103", lambda: text_of(size_out) == "4103")

        Atspi.EditableText.set_text_contents(size_in, "")
        press(calculate)
        answer_box(app, "数据有误", "请输入纯数字")
        Atspi.EditableText.set_text_contents(size_in, "a")
        press(calculate)
        answer_box(app, "Prelvane", "类型不匹配")
        assert text_of(size_out) == "4103"

        press(explain)
        explanation = wait_for("explanation window", lambda: top_window(app, "原理"))
        wait_for("the main window disabled", lambda: not enabled(size_in))
        assert explanation.get_role() in WINDOW_ROLES, explanation.get_role_name()
        assert children(explanation)[:2] == ["新算法：", "1柱面大小=512byte*255*63＝8225280(B)"]
        assert children(explanation)[6:8] == ["旧算法：", "MB=(GB-1)*2+GB*1024"]
        close_x_window("Prelvane")  # ignored while the explanation is open
        close_x_window("原理")
        wait_for("the main window enabled", lambda: enabled(size_in))
        assert top_window(app, "Prelvane")

        close_x_window("Prelvane")
        assert quorvel.wait(TIMEOUT) == 0
        print("1 passed, 0 failed")
    finally:
        if quorvel.poll() is None:
            quorvel.kill()
        # A server still shutting down would remove the socket of the next one on its display.
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main(sys.argv[1])
