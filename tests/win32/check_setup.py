#!/usr/bin/python3
"""Installs the Windows setup program under Wine as an administrator of many machines would, and
checks what a user then finds: the files, the Start-menu shortcut, the entry under "Programs and
Features", the program starting from where it was installed; one entry after installing the same
version again and a newer one over it, a desktop shortcut only where one was chosen, and then
kept; and nothing of it left once it is uninstalled. For the current user (the default) and for
every user (/ALLUSERS), who chose a desktop shortcut.

Runs in the prefix WINEPREFIX through the target's loader (wine.sh, which skips where this
machine cannot run the target's programs), on the X display DISPLAY.
Usage: check_setup.py BUILD_DIR VERSION START_CHECK.exe"""

import contextlib
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
ENTRIES = r"Software\Microsoft\Windows\CurrentVersion\Uninstall"
failures = []


def check(ok, what):
    if not ok:
        print("FAILED: " + what)
        failures.append(what)


def programs():
    """The command lines of the Windows programs running in this prefix, but Wine's own."""
    prefix = f"WINEPREFIX={os.environ['WINEPREFIX']}".encode()
    found = []
    for process in pathlib.Path("/proc").glob("[0-9]*"):
        with contextlib.suppress(OSError):  # a process that ended meanwhile
            command = (process / "cmdline").read_text(errors="replace").replace("\0", " ").strip()
            if command[1:3] == ":\\" and not command.lower().startswith("c:\\windows\\") \
                    and prefix in (process / "environ").read_bytes().split(b"\0"):
                found.append(command)
    return found


def wine(*arguments):
    """Runs a Windows program, and waits until every program it started has ended too (an
    uninstaller carries on from a copy of itself); its exit code and output. The output goes
    through a file: Wine's services, started with the first program, hold a pipe open."""
    with tempfile.TemporaryFile() as output:
        code = subprocess.run([HERE / "wine.sh", *map(str, arguments)], stdout=output,
                              stderr=subprocess.STDOUT).returncode
        output.seek(0)
        text = output.read().decode(errors="replace")
    deadline = time.monotonic() + 60
    while (running := programs()) and time.monotonic() < deadline:
        time.sleep(0.1)
    check(not running, f"{arguments[0]} and what it started end: {running}")
    return code, text


def exported(key):
    """A registry key with everything under it, as "reg export" writes it; None if unreadable."""
    with tempfile.TemporaryDirectory() as temporary:
        file = pathlib.Path(temporary, "exported.reg")
        code, said = wine("reg", "export", key, file, "/y")
        check(code == 0, f"{key} read: {said}")
        return file.read_bytes().decode("utf-16") if code == 0 else None


def folder(windows_path):
    """A Windows folder, environment variables expanded, as a path here."""
    return pathlib.Path(wine("cmd", "/c", "winepath", "-u", windows_path)[1].strip())


def files(drive):
    """Every file and folder of a drive, but Windows's own."""
    return {path for top in drive.iterdir() if top.name != "windows"
            for path in [top, *top.rglob("*")]}


def entries(root):
    """The program's entries under "Programs and Features" of HKCU or HKLM, each {value: data}."""
    sections = (exported(f"{root}\\{ENTRIES}") or "").split("\r\n\r\n")
    found = []
    for section in sections:
        values = dict(line.split("=", 1) for line in section.splitlines() if line.startswith('"'))
        values = {name.strip('"'): int(data[6:], 16) if data.startswith("dword:") else
                  data.strip('"').replace("\\\\", "\\").replace('\\"', '"')
                  for name, data in values.items()}
        if values.get("DisplayName") == "Prelvane":
            found.append(values)
    return found


def link_target(link):
    """The local path a shell link (.lnk) points to, from its LinkInfo."""
    data = link.read_bytes()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C + (2 + struct.unpack_from("<H", data, 0x4C)[0] if flags & 1 else 0)
    base = at + struct.unpack_from("<I", data, at + 16)[0]
    return data[base:data.index(b"\0", base)].decode("latin-1") if flags & 2 else None


def install_and_remove(setups, start_check, every_user):
    root, options = ("HKLM", ["/S", "/ALLUSERS"]) if every_user else ("HKCU", ["/S"])
    drive = folder("C:\\")
    before = files(drive)
    menu = folder("%ProgramData%" if every_user else "%AppData%") / "Microsoft/Windows/Start Menu/Programs"
    desktop = folder("%Public%\\Desktop" if every_user else "%UserProfile%\\Desktop")
    for run, (setup, _) in enumerate(setups[:1] + setups):  # installed, again, a newer one over it
        check(wine(setup, *options)[0] == 0, f"{setup.name} {' '.join(options)} succeeds")
        if run == 0 and every_user:  # the desktop shortcut chosen, as the setup's page makes it
            (desktop / "Prelvane.lnk").write_bytes((menu / "Prelvane.lnk").read_bytes())
    found = entries(root)
    check(len(found) == 1, f"one entry in {root}: {found}")
    entry = found[0] if found else {}
    program = entry.get("InstallLocation", "") + "\\quorvel.exe"
    check(entry.get("DisplayVersion") == setups[-1][1]
          and entry.get("DisplayIcon") == program + ",0"
          and entry.get("Publisher") == "Prelvane 开发组"
          and entry.get("EstimatedSize", 0) > 100,
          f"the entry: the newer version, the icon, the publisher, the size: {entry}")
    expected = "Program Files" if every_user else "AppData\\Local\\Programs"
    check(program.endswith(f"{expected}\\Prelvane\\quorvel.exe"), f"under {expected}: {program}")
    check(sorted(path.name for path in folder(program).parent.iterdir()) ==
          ["LICENSE.txt", "quorvel.exe", "uninstall.exe"], "the program, licence and uninstaller")
    link = menu / "Prelvane.lnk"
    check(link.is_file() and link_target(link) == program, f"the Start-menu shortcut to {program}")
    shortcut = desktop / "Prelvane.lnk"
    if every_user:
        check(shortcut.is_file() and link_target(shortcut) == program, "the chosen desktop shortcut kept")
    else:
        check(not shortcut.exists(), "no desktop shortcut unless chosen")
    check(wine(start_check, program)[0] == 0, "the installed program starts and ends")

    uninstaller, _, arguments = entry.get("QuietUninstallString", "").partition('" ')
    check(wine(uninstaller.strip('"'), *arguments.split())[0] == 0,
          f"{entry.get('QuietUninstallString')} succeeds")
    check(not entries(root), "no entry once uninstalled")
    # The uninstaller runs from a copy of itself in the user's temporary folder, which it cannot
    # remove while it runs; Windows clears that folder with its other temporary files.
    temporary = folder("%TEMP%")
    left = sorted(str(path.relative_to(drive)) for path in files(drive) - before
                  if not (temporary in path.parents
                          and path.relative_to(temporary).parts[0].startswith("~nsu")))
    check(not left, f"nothing left in the file system once uninstalled: {left}")
    check(not any("Prelvane" in (exported(root) or "") for root in ("HKCU", "HKLM")),
          "nothing left in the registry once uninstalled")


def main(build, version, start_check):
    if subprocess.run([HERE / "wine.sh", "--version"]).returncode == 77:
        return 77  # this machine cannot run the target's programs, and wine.sh said why
    build = os.path.abspath(build)
    major, minor, patch, tweak = (int(part) for part in version.split("."))
    with tempfile.TemporaryDirectory() as work:
        # The setup program as the release makes it, and one of a newer version.
        subprocess.run([HERE.parent.parent / "scripts" / "package", build, version], check=True, cwd=work)
        newer = f"{major}.{minor}.{patch}.{tweak + 1}"
        subprocess.run(["cpack", "-G", "NSIS", "--config", f"{build}/CPackConfig.cmake",
                        "-B", newer, "-R", newer], check=True, capture_output=True, cwd=work)
        setups = [(next(pathlib.Path(work, number).glob("*-setup.exe")), number) for number in (version, newer)]
        # One Wine server, with Wine's own services, for the whole run: a server that ended with
        # each program would be starting anew just as the last one shut its services down.
        subprocess.run(["wineserver", "-p"], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            for every_user in (False, True):
                install_and_remove(setups, start_check, every_user)
        finally:  # the server and its services ended, and gone once this returns
            subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
