#!/usr/bin/python3
"""Checks the Windows executable from outside for what can go wrong in building it: its resources
(manifest, version record), what it imports, its security flags and its size. The 32-bit
and the 64-bit program are checked alike: the processor the manifest must name comes from the
executable's header.

Usage: check_resources.py QUORVEL.exe VERSION"""

import os
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_VERSION, RT_MANIFEST = 16, 24
ASSEMBLY = "{urn:schemas-microsoft-com:asm.v1}"
MACHINES = {0x14C: "X86", 0x8664: "amd64"}  # PE machine -> manifest processorArchitecture
# The oldest Windows each program runs on (NT version): XP, and XP x64 / Server 2003 x64.
FLOORS = {0x14C: (5, 1), 0x8664: (5, 2)}
# Every function each program may import (imports_on_xp.txt): {(processor, dll): {function}}.
ON_XP = {}
for line in (pathlib.Path(__file__).parent / "imports_on_xp.txt").read_text().splitlines():
    if not line.startswith("#"):
        ON_XP.setdefault(tuple(line.split()[:2]), set()).update(line.split()[2:])
failures = []


def check(ok, what):
    if not ok:
        print("FAILED: " + what)
        failures.append(what)


def main(path, version):
    pe = pefile.PE(path)
    found = {(kind.id, name.id, language.id): pe.get_data(language.data.struct.OffsetToData,
                                                           language.data.struct.Size)
             for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries
             for name in kind.directory.entries for language in name.directory.entries}

    # The manifest: it must parse, and name this executable's processor and version, or Windows
    # silently falls back to the unthemed controls.
    architecture = MACHINES.get(pe.FILE_HEADER.Machine)
    manifest = found.get((RT_MANIFEST, 1, 0x0409), b"")
    check(manifest.startswith(b"\xef\xbb\xbf<?xml"), "manifest: type 24, id 1, en-US, UTF-8 with a BOM")
    root = ElementTree.fromstring(manifest[3:].decode("utf-8"))
    identities = [root.find(ASSEMBLY + "assemblyIdentity")] + root.findall(
        f"{ASSEMBLY}dependency/{ASSEMBLY}dependentAssembly/{ASSEMBLY}assemblyIdentity")
    check(architecture and [i.get("processorArchitecture") for i in identities] == [architecture] * 2,
          f"manifest: the program and its common controls for {architecture}")
    check(identities[0].get("version") == version and identities[1].get("version") == "6.0.0.0"
          and identities[1].get("name") == "Microsoft.Windows.Common-Controls",
          f"manifest: version {version}, common controls 6")

    # The version record, from the project's version.
    major, minor, patch, tweak = (int(part) for part in version.split("."))
    fixed = pe.VS_FIXEDFILEINFO[0]
    check((RT_VERSION, 1, 0x0804) in found and (fixed.FileVersionMS, fixed.FileVersionLS)
          == (major << 16 | minor, patch << 16 | tweak), f"version record: zh-CN, {version}")

    # What the oldest Windows' loader reads: the versions it needs, the program's kind, and every import.
    machine, header = pe.FILE_HEADER.Machine, pe.OPTIONAL_HEADER
    floor = FLOORS.get(machine)
    check((header.MajorOperatingSystemVersion, header.MinorOperatingSystemVersion) == floor
          and (header.MajorSubsystemVersion, header.MinorSubsystemVersion) == floor
          and header.Subsystem == 2 and header.Reserved1 == 0, f"headers: a GUI program for Windows NT {floor}")
    unknown = [f"{entry.dll.decode()}!{function.name.decode() if function.name else function.ordinal}"
               for entry in pe.DIRECTORY_ENTRY_IMPORT for function in entry.imports
               if (function.name or b"").decode() not in ON_XP.get(("any", entry.dll.decode().lower()), set())
               | ON_XP.get((MACHINES[machine].lower(), entry.dll.decode().lower()), set())]
    check(not unknown, f"imports only what Windows NT {floor} has: {unknown}")
    check(pe.OPTIONAL_HEADER.DllCharacteristics & 0x140 == 0x140, "ASLR and DEP")
    size = os.path.getsize(path)
    check(size < 400 * 1024, f"small: {size // 1024} KB")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
