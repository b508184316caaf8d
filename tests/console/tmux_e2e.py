#!/usr/bin/python3
"""The built programs in a real terminal multiplexer, as a user on a server meets them: quorvel
with no display, where it is built, and quorvel-console, in tmux under LANG=C; the keys sent as
typed, the screen read as tmux shows it. Each step waits, with a bound, for what it expects.

Usage: tmux_e2e.py QUORVEL_CONSOLE [QUORVEL]"""

import os
import re
import subprocess
import sys
import tempfile
import time
import unicodedata

console = sys.argv[1]
quorvel = sys.argv[2] if len(sys.argv) > 2 else None
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


def start(command, width=80, height=24, window=True):
    """A shell in a pane of its own, the terminal's modes noted before and after the command; and
    the main window, once it shows, where one is to show."""
    sessions.append(f"test{len(sessions)}")
    script = os.path.join(work, "run.sh")
    with open(script, "w") as run:
        # The shell lives on through the program's Ctrl+C, which its handler would not outlive.
        # The modes after are written before the exit is shown, which the test waits for.
        run.write(f"trap true INT\nulimit -c 0\nstty -g > {work}/before\n{command}\nstatus=$?\n"
                  f"stty -g > {work}/after\necho exit=$status\nexec sleep 60\n")
    tmux("new-session", "-d", "-s", sessions[-1], "-x", str(width), "-y", str(height),
         f"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C sh {script}")
    if window:
        wait_for(f"the main window of {command}", main_window)


def ended_as_found(how, status):
    """Ended with `status` (a shell's 128 + N after signal N), the terminal as the program found
    it, its modes too."""
    shown = wait_for(f"the program ended ({how})", lambda shown: "exit=" in shown)
    assert f"exit={status}" in shown, f"after {how}:\n{shown}"
    with open(f"{work}/before") as before, open(f"{work}/after") as after:
        assert before.read() == after.read(), f"the terminal's modes after {how}"
    given_back(how)


def main_window(shown):
    """Whether the main window is shown whole, its right border in one column: a terminal that
    counts a Chinese character's columns otherwise than the program breaks it."""
    borders = {sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line.rstrip())
               for line in shown.splitlines() if line.rstrip().endswith(("│", "┐", "┘"))}
    return all(text in shown for text in texts) and len(borders) == 1


def given_back(how):
    """The main screen, the cursor shown, no mouse or keypad mode, and a paste no longer bracketed
    (the shell echoes it as it comes)."""
    flags = tmux("display-message", "-p", "-t", sessions[-1],
                 "#{alternate_on}#{mouse_any_flag}#{mouse_sgr_flag}#{keypad_flag}#{cursor_flag}")
    assert flags.strip() == "00001", f"screen, mouse, keypad and cursor after {how}: {flags}"
    tmux("set-buffer", "pasted")
    tmux("paste-buffer", "-p", "-t", sessions[-1])
    shown = wait_for(f"a paste after {how}", lambda shown: "pasted" in shown)
    assert "[200~" not in shown and "Prelvane" not in shown, f"after {how}:\n{shown}"


texts = ["(*) 旧算法", "( ) 新算法", "分区：", "GB", "应输整数：", "MB", "[了解原理]", "<开始计算>", "┌ Prelvane "]
try:
    # quorvel with no display comes up in the terminal, its Chinese texts whole under LANG=C.
    start(quorvel or console)
    # Too small a terminal says so, and the program goes on once it is larger.
    tmux("resize-window", "-t", sessions[-1], "-x", "40", "-y", "10")
    wait_for("the terminal too small", lambda shown: "窗口太小" in shown)
    tmux("resize-window", "-t", sessions[-1], "-x", "100", "-y", "30")
    wait_for("the main window again", main_window)
    # The explanation, its texts whole. With both windows open, a smaller terminal places both
    # again, the main window's close mark and buttons in sight above the explanation; Escape closes
    # the explanation, and the keyboard is on 了解原理 again.
    keys("BTab", "Enter")
    explanation = ["新算法：", "1柱面大小=512byte*255*63＝8225280(B)",
                   "应分MB数=4301821440/1024/1024=4102.53662…≈4103(MB)", "旧算法：",
                   "MB=(GB-1)*2+GB*1024", "Prelvane 开发组 制作", "┌ 原理 "]
    wait_for("the explanation", lambda shown: all(text in shown for text in explanation))
    tmux("resize-window", "-t", sessions[-1], "-x", "80", "-y", "24")
    wait_for("both windows in 80 x 24", lambda shown: shown.count("^W[×]") == 2 and "┌ Prelvane " in shown)
    keys("Escape")
    wait_for("the explanation closed, the keyboard on 了解原理",
             lambda shown: "┌ 原理 " not in shown and "<了解原理>" in shown)
    keys("Tab")
    # A paste is text: Ctrl+C, Ctrl+Z and Ctrl+\ in it stop nothing, and stay out of the box.
    keys("-l", "\033[200~5\x03\x1a\x1c6\033[201~")
    wait_for("the pasted digits", lambda shown: "56" in shown and "┌ Prelvane " in shown)
    keys("C-c")
    ended_as_found("Ctrl+C", 130)

    # Ctrl+Z gives an interactive shell its terminal as it was; fg brings the program back as it
    # was left.
    sessions.append("stopped")
    tmux("new-session", "-d", "-s", "stopped", "-x", "80", "-y", "24",
         "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C PS1='$ ' sh -i")
    keys(console, "Enter")
    wait_for("the main window", main_window)
    keys("-l", "7")
    keys("C-z")
    wait_for("the shell after Ctrl+Z", lambda shown: "Stopped" in shown)
    given_back("Ctrl+Z")
    keys("C-u", "fg", "Enter")
    wait_for("the window again, as it was", lambda shown: re.search("分区： +7 +GB", shown))
    keys("C-w")
    wait_for("the prompt again", lambda shown: shown.rstrip().endswith("$"))
    keys("echo exit=$?", "Enter")
    wait_for("the program ended after fg", lambda shown: "exit=0" in shown)

    # quorvel-console, ended by a dropped connection's SIGHUP, and by SIGTERM and SIGQUIT.
    for signal, number in (("HUP", 1), ("TERM", 15), ("QUIT", 3)):
        start(console)
        subprocess.run(["pkill", f"-{signal}", "-fx", console], check=True)
        ended_as_found(f"SIG{signal}", 128 + number)

    # No colour where the user asks for none; ended by closing its main window.
    start(f"NO_COLOR=1 {console}")
    drawn = tmux("capture-pane", "-e", "-p", "-t", sessions[-1])
    assert not re.search(r"\x1b\[[0-9;]*\b(3[0-7]|4[0-7]|38|48)\b", drawn), drawn
    keys("C-w")
    ended_as_found("closing the main window with no colour", 0)

    # A vt100's terminal database entry lists no Home, End, Delete or Shift+Tab: read all the same,
    # from the sequences an xterm sends for them; nothing of the entry's padding is written.
    start(f"TERM=vt100 {console}")
    keys("-l", "12\033[H3\033OF4\033[H\033[3~")
    wait_for("Home, End and Delete typed nothing", lambda shown: re.search("分区： +124 +GB", shown))
    keys("-l", "\033[Z")
    wait_for("Shift+Tab to 了解原理", lambda shown: "<了解原理>" in shown)
    keys("C-w")
    assert "$<" not in wait_for("the program ended under vt100", lambda shown: "exit=0" in shown)

    # In GNU screen, which holds back a lone Escape while the mouse is reported, Escape closes the
    # explanation; the program under LANG=C in a screen that reads UTF-8.
    start(f"LANG=C.UTF-8 screen -U env LANG=C {console}")
    keys("BTab", "Enter")
    wait_for("the explanation in screen", lambda shown: "┌ 原理 " in shown)
    keys("Escape")
    wait_for("the explanation closed by Escape in screen", lambda shown: "┌ 原理 " not in shown)
    keys("C-w")
    wait_for("screen ended", lambda shown: "exit=" in shown)
    # GNU screen started under LANG=C takes Chinese characters for narrow ones: refused.
    start(f"screen -U sh -c '{console}; echo exit=$?; exec sleep 60'", window=False)
    assert "does not read UTF-8" in wait_for("refused in screen", lambda shown: "exit=1" in shown)
    # The Linux console, which cannot draw the texts, a terminal of no known type, and one that
    # cannot move its cursor, refused in one line of plain ASCII.
    for term, said in (("linux", "cannot draw Chinese characters"), ("nonesuch", "(TERM=nonesuch) is unknown"),
                       ("dumb", "cannot move its cursor")):
        start(f"TERM={term} {console}", window=False)
        shown = wait_for(f"TERM={term} refused", lambda shown: "exit=1" in shown)
        assert said in shown, shown

    # Started to ignore a hang-up, as under nohup, it ends once its terminal is gone, never waiting
    # on it for ever.
    start(f"trap '' HUP; {console}")
    tmux("kill-pane", "-t", sessions[-1])
    deadline = time.monotonic() + 10
    while subprocess.run(["pgrep", "-fx", console], capture_output=True).returncode == 0:
        assert time.monotonic() < deadline, "still running with its terminal gone"
        time.sleep(0.05)

    # quorvel with a display that is gone, as a terminal that outlived its desktop keeps it: the
    # terminal shows it, and one line said why; with no terminal either, that line and a failure.
    for gone in ("DISPLAY=:99", "WAYLAND_DISPLAY=gone") if quorvel else ():
        start(f"{gone} {quorvel}")
        keys("C-w")
        shown = wait_for(f"the program ended with {gone}", lambda shown: "exit=0" in shown)
        assert f"({gone}) did not answer; shown in the terminal" in shown.replace("\n", ""), shown
        variable, value = gone.split("=")
        ran = subprocess.run([quorvel], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                             env={**{k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")},
                                  variable: value})
        assert ran.returncode == 1 and ran.stderr.count("\n") == 1 and "did not answer" in ran.stderr, ran

    # Neither a display nor a terminal: one line, and a plain failure, never Qt's abort; it names
    # ssh -t, which gives a program started over SSH a terminal.
    for program in filter(None, (quorvel, console)):
        ran = subprocess.run([program], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                             env={k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")})
        assert ran.returncode == 1 and ran.stderr.count("\n") == 1 and "ssh -t" in ran.stderr, (ran.returncode, ran.stderr)
finally:
    subprocess.run(["tmux", "-L", socket, "kill-server"], capture_output=True)
