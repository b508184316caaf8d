#!/usr/bin/python3
"""Checks the Windows executable from outside: its resources (manifest, version record, icon),
what it imports, its security flags and its size.

The 32-bit and the 64-bit program are checked alike: the processor the manifest must name comes
from the executable's header.

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

passed = failed = 0


def check(ok, what):
    global passed, failed
    print(("ok: " if ok else "FAILED: ") + what)
    if ok:
        passed += 1
    else:
        failed += 1


def resources(pe):
    """(type, id, language) -> data"""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                entry = language.data.struct
                found[(kind.id, name.id, language.id)] = pe.get_data(entry.OffsetToData, entry.Size)
    return found


def check_manifest(found, architecture, version):
    data = found.get((RT_MANIFEST, 1, 0x0409))
    check(data is not None, "manifest: type 24, id 1, language 0x0409")
    if data is None:
        return
    check(data.startswith(b"\xef\xbb\xbf"), "manifest: UTF-8 with a byte-order mark")
    text = data[3:].decode("utf-8")
    check(text.startswith('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'), "manifest: XML declaration")
    root = ElementTree.fromstring(text)
    check(root.tag == ASSEMBLY + "assembly" and root.get("manifestVersion") == "1.0", "manifest: assembly 1.0")
    identity = root.find(ASSEMBLY + "assemblyIdentity")
    check(identity is not None and identity.get("version") == version
          and identity.get("processorArchitecture") == architecture and identity.get("type") == "win32"
          and identity.get("name"), "manifest: the program's identity")
    check(root.find(ASSEMBLY + "description") is not None, "manifest: a description")
    dependencies = root.findall(f"{ASSEMBLY}dependency/{ASSEMBLY}dependentAssembly/{ASSEMBLY}assemblyIdentity")
    expected = {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
                "processorArchitecture": architecture, "publicKeyToken": "6595b64144ccf1df", "language": "*"}
    check(len(dependencies) == 1 and dependencies[0].attrib == expected,
          "manifest: depends on common controls 6.0.0.0")


def check_version(pe, found, version):
    check((RT_VERSION, 1, 0x0804) in found, "version record: type 16, id 1, language 0x0804")
    fixed = pe.VS_FIXEDFILEINFO[0]
    major, minor, patch, tweak = (int(part) for part in version.split("."))
    expected = (major << 16 | minor, patch << 16 | tweak)
    check((fixed.FileVersionMS, fixed.FileVersionLS) == expected
          and (fixed.ProductVersionMS, fixed.ProductVersionLS) == expected,
          f"version record: file and product version {version}")
    check(fixed.FileFlags == 0 and fixed.FileOS == 4 and fixed.FileType == 1,
          "version record: no flags, 32-bit Windows, an application")
    kinds = [info.Key for info in pe.FileInfo[0]]
    check(kinds == [b"VarFileInfo", b"StringFileInfo"], "version record: the translation, then the strings")
    for info in pe.FileInfo[0]:
        if info.Key == b"VarFileInfo":
            check([var.entry for var in info.Var] == [{b"Translation": "0x0804 0x04b0"}],
                  "version record: translation 0x0804, code page 1200")
        if info.Key == b"StringFileInfo":
            check([table.LangID for table in info.StringTable] == [b"080404B0"], "version record: one table, 080404B0")
            entries = list(info.StringTable[0].entries.items())
            check([key for key, _ in entries] == [b"CompanyName", b"ProductName", b"FileVersion",
                                                    b"ProductVersion", b"InternalName", b"OriginalFilename"],
                  "version record: the entries in their order")
            values = dict(entries)
            short = f"{major}.{minor:02d}".encode()
            check(values[b"CompanyName"] != b"", "version record: a company name")
            check((values[b"ProductName"], values[b"FileVersion"], values[b"ProductVersion"],
                   values[b"InternalName"], values[b"OriginalFilename"])
                  == (b"QUORVEL", short, short, b"quorvel", b"quorvel.exe"),
                  f"version record: QUORVEL {short.decode()}, quorvel, quorvel.exe")


def check_icon(found):
    groups = [key for key in found if key[0] == RT_GROUP_ICON]
    check([key[1] for key in groups] == [1], "icon: one group, id 1")
    images = [key for key in found if key[0] == RT_ICON]
    check([key[1] for key in images] == [30001], "icon: one image, id 30001")
    if len(groups) != 1 or len(images) != 1:
        return
    _, _, count = struct.unpack_from("<HHH", found[groups[0]], 0)
    width, height, _, _, _, bits, size, image_id = struct.unpack_from("<BBBBHHIH", found[groups[0]], 6)
    check((count, width, height, bits, image_id) == (1, 64, 64, 24, 30001), "icon: the group names a 64 x 64 24-bit image")
    image = found[images[0]]
    header_size, bitmap_width, bitmap_height, planes, bit_count = struct.unpack_from("<IiiHH", image, 0)
    colour_bytes = 64 * 64 * 3
    mask_bytes = 64 * 8
    check((bitmap_width, bitmap_height, bit_count) == (64, 128, 24)
          and len(image) == header_size + colour_bytes + mask_bytes == size,
          "icon: 24-bit colour with a 1-bit mask")
    mask = image[header_size + colour_bytes:]
    transparent = sum(bin(byte).count("1") for byte in mask)
    check(0 < transparent < 64 * 64 // 2, "icon: the mask leaves the drive and ruler opaque, the corners clear")


def main(path, version):
    pe = pefile.PE(path)
    architecture = MACHINES.get(pe.FILE_HEADER.Machine)
    check(architecture is not None, f"an x86 or x86-64 executable: {architecture}")
    found = resources(pe)
    check_manifest(found, architecture, version)
    check_version(pe, found, version)
    check_icon(found)
    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    check(imports <= SYSTEM_DLLS, f"imports only system DLLs: {sorted(imports)}")
    characteristics = pe.OPTIONAL_HEADER.DllCharacteristics
    check(characteristics & 0x40 and characteristics & 0x100, "ASLR and DEP")
    size = os.path.getsize(path)
    check(size < 400 * 1024, f"small: {size // 1024} KB")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
