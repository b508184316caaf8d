#!/usr/bin/python3
"""Installs the Windows setup program under Wine as an administrator of many machines would, and
checks what a user then finds: the files, the Start-menu shortcut, the entry under "Programs and
Features", the program starting from where it was installed; one entry after installing the same
version again and a newer one over it; and nothing of it left once it is uninstalled. For the
current user (the default) and for every user (/ALLUSERS).

Runs in the prefix WINEPREFIX through the target's loader (wine.sh, which skips where this
machine cannot run the target's programs), on the X display DISPLAY.
Usage: check_setup.py BUILD_DIR VERSION START_CHECK.exe"""

import os
import pathlib
import struct
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ENTRY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Prelvane"
SKIPPED = 77
failures = []


def check(ok, what):
    if not ok:
        print("FAILED: " + what)
        failures.append(what)


def wine(*arguments, settle=False):
    """Runs a Windows program; settled, once every program it started has ended too."""
    done = subprocess.run([HERE / "wine.sh", *map(str, arguments)], capture_output=True)
    if done.returncode == SKIPPED:
        sys.exit(SKIPPED)
    if settle:
        subprocess.run(["wineserver", "-w"], check=True)
    return done


def unix_path(windows_path):
    return pathlib.Path(wine("winepath", "-u", windows_path).stdout.decode().strip())


def files(drive):
    return {path for path in drive.rglob("*") if drive / "windows" not in path.parents}


def entries(root):
    """The entries under "Programs and Features" of HKCU or HKLM: {key name: {value: data}}."""
    with tempfile.TemporaryDirectory() as folder:
        exported = pathlib.Path(folder, "entries.reg")
        wine("reg", "export", f"{root}\\{ENTRY.rsplit(chr(92), 1)[0]}", exported, "/y")
        text = exported.read_bytes().decode("utf-16")
    found, values = {}, None
    for line in text.splitlines():
        if line.startswith("["):
            values = found.setdefault(line.strip("[]").rsplit("\\", 1)[1], {})
        elif line.startswith('"') and values is not None:
            name, data = line.split("=", 1)
            values[name.strip('"')] = (int(data[6:], 16) if data.startswith("dword:")
                                       else data.strip('"').replace("\\\\", "\\").replace('\\"', '"'))
    return {name: values for name, values in found.items() if values.get("DisplayName") == "Prelvane"}


def link_target(link):
    """The local path a shell link (.lnk) points to, from its LinkInfo."""
    data = link.read_bytes()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C + (2 + struct.unpack_from("<H", data, 0x4C)[0] if flags & 1 else 0)
    if not flags & 2:
        return None
    base = struct.unpack_from("<I", data, at + 16)[0]
    return data[at + base:data.index(b"\0", at + base)].decode("latin-1")


def install_and_remove(setups, start_check, every_user):
    root = "HKLM" if every_user else "HKCU"
    options = ["/S", "/ALLUSERS"] if every_user else ["/S"]
    who = "every user" if every_user else "the current user"
    drive = unix_path("C:\\")
    before = files(drive)

    for setup, _ in setups[:1] + setups:  # installed, installed again, a newer one over it
        check(wine(setup, *options).returncode == 0, f"{setup.name} {' '.join(options)} succeeds")
    found = entries(root)
    check(list(found) == ["Prelvane"], f"one entry for {who}: {list(found)}")
    entry = found.get("Prelvane", {})
    folder = entry.get("InstallLocation", "")
    program = folder + "\\quorvel.exe"
    check(entry.get("DisplayVersion") == setups[-1][1], f"the newer version: {entry}")
    check(entry.get("Publisher") == "Prelvane 开发组", "the publisher")
    check(entry.get("DisplayIcon") == program + ",0", "the program's icon")
    check(entry.get("EstimatedSize", 0) > 100, "its size, in KB")
    expected = "Program Files" if every_user else "AppData\\Local\\Programs"
    check(folder.endswith(expected + "\\Prelvane"), f"installed under {expected}: {folder}")
    installed = unix_path(folder)
    check(sorted(path.name for path in installed.iterdir()) ==
          ["LICENSE.txt", "quorvel.exe", "uninstall.exe"], "the program, its licence, the uninstaller")

    start_menu = "%ProgramData%" if every_user else "%AppData%"
    programs = unix_path(wine("cmd", "/c", "echo", start_menu).stdout.decode().strip()
                         + "\\Microsoft\\Windows\\Start Menu\\Programs")
    link = programs / "Prelvane.lnk"
    check(link.is_file() and link_target(link) == program, f"the Start-menu shortcut to {program}")
    desktop = unix_path(wine("cmd", "/c", "echo", "%UserProfile%" if not every_user else "%Public%")
                        .stdout.decode().strip() + "\\Desktop")
    check(not (desktop / "Prelvane.lnk").exists(), "no desktop shortcut unless chosen")
    check(wine(start_check, program).returncode == 0, "the installed program starts and ends")

    quiet = entry.get("QuietUninstallString", "")
    uninstaller, _, arguments = quiet.partition('" ')
    check(wine(uninstaller.strip('"'), *arguments.split(), settle=True).returncode == 0,
          f"{quiet} succeeds")
    check(not entries(root), "no entry once uninstalled")
    # The uninstaller runs from a copy of itself in the user's temporary folder, which it cannot
    # remove while it runs; Windows clears that folder with its other temporary files.
    temporary = unix_path(wine("cmd", "/c", "echo", "%TEMP%").stdout.decode().strip())
    left = sorted(str(path.relative_to(drive)) for path in files(drive) - before
                  if not (temporary in path.parents and path.relative_to(temporary).parts[0]
                          .startswith("~nsu")))
    check(not left, f"nothing left in the file system once uninstalled: {left}")
    registry = "".join(pathlib.Path(os.environ["WINEPREFIX"], name).read_text(errors="replace")
                       for name in ("user.reg", "system.reg"))
    check("Prelvane" not in registry, "nothing left in the registry once uninstalled")


def make_setup(build, version, folder):
    """The build tree's setup program, as made for another version."""
    folder.mkdir()
    subprocess.run(["cpack", "-G", "NSIS", "--config", build / "CPackConfig.cmake", "-B", folder,
                    "-R", version], check=True, capture_output=True, cwd=folder)
    return next(folder.glob("*-setup.exe")), version


def main(build, version, start_check):
    build = pathlib.Path(build).resolve()
    major, minor, patch, tweak = (int(part) for part in version.split("."))
    newer = f"{major}.{minor}.{patch}.{tweak + 1}"
    with tempfile.TemporaryDirectory() as work:
        setups = [make_setup(build, number, pathlib.Path(work, number))
                  for number in (version, newer)]
        check(setups[0][0].name.startswith(f"quorvel-{version}-win"), f"named with {version}")
        for every_user in (False, True):
            install_and_remove(setups, start_check, every_user)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
