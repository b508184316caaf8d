#!/usr/bin/python3
"""Checks the Windows executable from outside for what can go wrong in building it: its resources
(manifest, version record, icon), what it imports, its security flags and its size. The 32-bit
and the 64-bit program are checked alike: the processor the manifest must name comes from the
executable's header.

Usage: check_resources.py QUORVEL.exe VERSION"""

import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}
ASSEMBLY = "{urn:schemas-microsoft-com:asm.v1}"
MACHINES = {0x14C: "X86", 0x8664: "amd64"}  # PE machine -> manifest processorArchitecture
# The oldest Windows each program runs on (NT version): XP, and XP x64 / Server 2003 x64.
FLOORS = {0x14C: (5, 1), 0x8664: (5, 2)}
# Functions that compilers' runtimes and libraries are known to import, with the first NT version
# that has them, from the "Minimum supported" lines of Microsoft's API documentation. The POSIX
# threads runtime of mingw-w64 brings GetTickCount64, for one.
NEWER = {name: (6, 0) for name in (
    "GetTickCount64", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
    "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "InitializeConditionVariable",
    "SleepConditionVariableCS", "SleepConditionVariableSRW", "WakeConditionVariable",
    "WakeAllConditionVariable", "InitOnceExecuteOnce", "InitOnceBeginInitialize",
    "InitOnceComplete", "GetLocaleInfoEx", "LCMapStringEx", "CompareStringEx",
    "GetUserDefaultLocaleName", "CreateSymbolicLinkW", "GetFinalPathNameByHandleW",
    "QueryFullProcessImageNameW", "CancelIoEx", "SetProcessDpiAware")}
NEWER.update({name: (5, 2) for name in ("FlsAlloc", "FlsFree", "FlsGetValue", "FlsSetValue")})
NEWER.update({"GetSystemTimePreciseAsFileTime": (6, 2), "TryAcquireSRWLockExclusive": (6, 1)})
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
    strings = {key: value for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
               for table in info.StringTable for key, value in table.entries.items()}
    short = f"{major}.{minor:02d}".encode()
    check(strings.get(b"FileVersion") == short and strings.get(b"ProductName") == b"QUORVEL"
          and strings.get(b"OriginalFilename") == b"quorvel.exe", f"version record: QUORVEL {short.decode()}")

    # The icon: one 64 x 64 image, 24-bit colour with a 1-bit mask, under its fixed id.
    group, image = found.get((RT_GROUP_ICON, 1, 0x0804), b""), found.get((RT_ICON, 30001, 0x0804), b"")
    check(group[4:6] == b"\x01\x00" and struct.unpack_from("<BBBBHHIH", group, 6)[::7] == (64, 30001)
          and len(image) == 40 + 64 * 64 * 3 + 64 * 8, "icon: group 1 names a 64 x 64 24-bit image 30001")

    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    check(imports <= SYSTEM_DLLS, f"imports only system DLLs: {sorted(imports)}")
    floor = FLOORS.get(pe.FILE_HEADER.Machine)
    header = pe.OPTIONAL_HEADER
    check((header.MajorOperatingSystemVersion, header.MinorOperatingSystemVersion) == floor
          and (header.MajorSubsystemVersion, header.MinorSubsystemVersion) == floor,
          f"the header asks for Windows NT {floor}")
    newer = sorted(f"{function.name.decode()} ({'.'.join(map(str, NEWER[function.name.decode()]))})"
                   for entry in pe.DIRECTORY_ENTRY_IMPORT for function in entry.imports
                   if function.name and NEWER.get(function.name.decode(), (0, 0)) > floor)
    check(not newer, f"imports nothing newer than Windows NT {floor}: {newer}")
    check(pe.OPTIONAL_HEADER.DllCharacteristics & 0x140 == 0x140, "ASLR and DEP")
    size = os.path.getsize(path)
    check(size < 400 * 1024, f"small: {size // 1024} KB")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
