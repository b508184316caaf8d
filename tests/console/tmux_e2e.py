#!/usr/bin/python3
"""The built programs in a real terminal multiplexer, as a user on a server meets them: quorvel
with no display, and quorvel-console, in tmux under LANG=C; the keys sent as typed, the screen read
as tmux shows it. Each step waits, with a bound, for what it expects.

Usage: tmux_e2e.py QUORVEL QUORVEL_CONSOLE"""

import os
import subprocess
import sys
import tempfile
import time

quorvel, console = sys.argv[1:3]
socket = f"prelvane-{os.getpid()}"
work = tempfile.mkdtemp()


def tmux(*arguments):
    return subprocess.run(["tmux", "-L", socket, *arguments], check=True, capture_output=True,
                          text=True).stdout


sessions = []  # the one the test is in, last


def screen():
    return tmux("capture-pane", "-p", "-t", sessions[-1])


def wait_for(what, found):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        shown = screen()
        if found(shown):
            return shown
        time.sleep(0.05)
    raise AssertionError(f"never shown: {what}\n{screen()}")


def keys(*names):
    tmux("send-keys", "-t", sessions[-1], *names)


def start(command, width=80, height=24):
    """A shell in a pane of its own, the terminal's modes noted before and after the command."""
    sessions.append(f"test{len(sessions)}")
    script = os.path.join(work, "run.sh")
    with open(script, "w") as run:
        # The shell lives on through the program's Ctrl+C, which its handler would not outlive.
        # The modes after are written before the exit is shown, which the test waits for.
        run.write(f"trap true INT\nstty -g > {work}/before\n{command}\nstatus=$?\n"
                  f"stty -g > {work}/after\necho exit=$status\nexec sleep 60\n")
    tmux("new-session", "-d", "-s", sessions[-1], "-x", str(width), "-y", str(height),
         f"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C sh {script}")


def ended_as_found(how):
    """The terminal as the program found it: its modes, the main screen, the cursor shown, no
    mouse or keypad mode, and a paste no longer bracketed (the shell echoes it as it comes)."""
    wait_for(f"the program ended ({how})", lambda shown: "exit=" in shown)
    with open(f"{work}/before") as before, open(f"{work}/after") as after:
        assert before.read() == after.read(), f"the terminal's modes after {how}"
    flags = tmux("display-message", "-p", "-t", sessions[-1],
                 "#{alternate_on}#{mouse_any_flag}#{mouse_sgr_flag}#{keypad_flag}#{cursor_flag}")
    assert flags.strip() == "00001", f"screen, mouse, keypad and cursor after {how}: {flags}"
    tmux("set-buffer", "pasted")
    tmux("paste-buffer", "-p", "-t", sessions[-1])
    shown = wait_for(f"a paste after {how}", lambda shown: "pasted" in shown)
    assert "[200~" not in shown and "Prelvane" not in shown, f"after {how}:\n{shown}"


try:
    # quorvel with no display comes up in the terminal, its Chinese texts whole under LANG=C.
    start(quorvel)
    texts = ["(*) 旧算法", "( ) 新算法", "分区：", "GB", "应输整数：", "MB", "[了解原理]", "<开始计算>",
             "┌ Prelvane "]
    wait_for("the main window", lambda shown: all(text in shown for text in texts))
    keys("-l", "4")
    keys("Enter")
    wait_for("4 GB by the old rule", lambda shown: "4102" in shown)
    keys("Tab", "Tab", "Down")
    wait_for("the new rule chosen", lambda shown: "(*) 新算法" in shown and "4103" in shown)
    keys("BTab", "BTab", "BSpace", "Enter")  # the size box emptied, and calculated
    wait_for("the refusal", lambda shown: "数据有误" in shown and "(!)   请输入纯数字" in shown and "<确定>" in shown)
    keys("Enter")
    wait_for("the refusal answered", lambda shown: "数据有误" not in shown)
    # The explanation, its texts whole; Escape closes it.
    keys("BTab", "Enter")
    explanation = ["新算法：", "1柱面大小=512byte*255*63＝8225280(B)",
                   "应分MB数=4301821440/1024/1024=4102.53662…≈4103(MB)", "旧算法：",
                   "MB=(GB-1)*2+GB*1024", "Prelvane 开发组 制作", "┌ 原理 "]
    wait_for("the explanation", lambda shown: all(text in shown for text in explanation))
    keys("Escape")
    wait_for("the explanation closed, the keyboard on 了解原理",
             lambda shown: "┌ 原理 " not in shown and "<了解原理>" in shown)
    # Too small a terminal says so, and the program goes on once it is larger.
    tmux("resize-window", "-t", sessions[-1], "-x", "40", "-y", "10")
    wait_for("the terminal too small", lambda shown: "窗口太小" in shown)
    tmux("resize-window", "-t", sessions[-1], "-x", "100", "-y", "30")
    wait_for("the windows again", lambda shown: all(text in shown for text in
                                                    ["分区：", "应输整数：", "了解原理", "开始计算", "┌ Prelvane "]))
    keys("C-c")
    ended_as_found("Ctrl+C")

    # quorvel-console, ended by closing its main window, and by a dropped connection's SIGHUP; the
    # Linux console, which cannot draw the texts, and a terminal of no known type, refused in one
    # line of plain ASCII.
    start(console)
    wait_for("the main window", lambda shown: all(text in shown for text in texts))
    keys("C-w")
    ended_as_found("closing the main window")
    start(console)
    wait_for("the main window", lambda shown: all(text in shown for text in texts))
    subprocess.run(["pkill", "-HUP", "-fx", console], check=True)
    ended_as_found("SIGHUP")
    for term, said in (("linux", "cannot draw Chinese characters"), ("nonesuch", "(TERM=nonesuch) is unknown")):
        start(f"TERM={term} {console}")
        shown = wait_for(f"TERM={term} refused", lambda shown: "exit=1" in shown)
        assert said in shown, shown

    # Started to ignore a hang-up, as under nohup, it ends once its terminal is gone, never waiting
    # on it for ever.
    start(f"trap '' HUP; {console}")
    wait_for("the main window", lambda shown: all(text in shown for text in texts))
    tmux("kill-pane", "-t", sessions[-1])
    deadline = time.monotonic() + 10
    while subprocess.run(["pgrep", "-fx", console], capture_output=True).returncode == 0:
        assert time.monotonic() < deadline, "still running with its terminal gone"
        time.sleep(0.05)

    # Neither a display nor a terminal: one line, and a plain failure, never Qt's abort.
    ran = subprocess.run([quorvel], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                         env={k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")})
    assert ran.returncode == 1 and ran.stderr.count("\n") == 1, (ran.returncode, ran.stderr)
finally:
    subprocess.run(["tmux", "-L", socket, "kill-server"], capture_output=True)
