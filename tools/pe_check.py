#!/usr/bin/env python3
"""Checks a built scrutor.exe before it ships: machine type, GUI subsystem, the embedded
manifest (elevation, Common Controls 6), icon group 10, the PNG image 11, the version
resource against the project version, and imports from Windows system DLLs only.

    pe_check.py --machine i386|amd64 --version X.Y.Z [--extract-logo out.png] scrutor.exe

Prints one line per fault and exits 1 when there is any; --extract-logo writes the bytes
of image 11 (the logo the program would otherwise write beside itself)."""
import argparse
import struct
import sys

MACHINES = {"i386": 0x014C, "amd64": 0x8664}
SUBSYSTEM_WINDOWS_GUI = 2
RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
FIXED_FILE_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
# Windows system DLLs the program may link; a MinGW runtime DLL here would not be found on
# a clean machine.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "gdi32.dll",
    "gdiplus.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll", "version.dll",
    "winhttp.dll", "wininet.dll", "wtsapi32.dll", "ws2_32.dll", "bcrypt.dll",
}
# The C runtime of newer MinGW toolchains comes as API sets of the system.
SYSTEM_DLL_PREFIXES = ("api-ms-win-crt-",)


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeError("not an executable (no MZ header)")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        self.machine, sections = struct.unpack_from("<HH", data, pe + 4)
        optional_size = self.u16(pe + 20)
        opt = pe + 24
        magic = self.u16(opt)
        if magic not in (0x10B, 0x20B):
            raise PeError("unknown optional header 0x%x" % magic)
        self.subsystem = self.u16(opt + 68)
        directories = opt + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(min(self.u32(directories - 4), 16))]
        table = opt + optional_size
        self.sections = []
        for i in range(sections):
            _, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + rawptr
        raise PeError("address 0x%x lies in no section" % rva)

    def text(self, offset):
        return self.data[offset:self.data.index(b"\0", offset)].decode("ascii")

    def imports(self):
        rva, size = self.directories[1] if len(self.directories) > 1 else (0, 0)
        names = []
        if not size:
            return names
        entry = self.offset(rva)
        while True:
            name_rva = self.u32(entry + 12)
            if name_rva == 0:
                return names
            names.append(self.text(self.offset(name_rva)))
            entry += 20

    def resources(self):
        """{(type, id): bytes of its first language}; types and ids are ints or names."""
        rva, size = self.directories[2] if len(self.directories) > 2 else (0, 0)
        found = {}
        if not size:
            return found
        base = self.offset(rva)

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    key = self.data[at + 2:at + 2 + 2 * self.u16(at)].decode("utf-16-le")
                yield key, target

        for kind, level2 in entries(0):
            for ident, level3 in entries(level2 & 0x7FFFFFFF):
                for _, leaf in entries(level3 & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(data_rva)
                    found.setdefault((kind, ident), self.data[start:start + data_size])
        return found


def version_of(block):
    at = block.find(FIXED_FILE_INFO_SIGNATURE)
    if at < 0:
        return None
    ms, ls = struct.unpack_from("<II", block, at + 8)
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def faults(pe, machine, version):
    if pe.machine != MACHINES[machine]:
        yield "machine is 0x%04x, not %s" % (pe.machine, machine)
    if pe.subsystem != SUBSYSTEM_WINDOWS_GUI:
        yield "subsystem is %d, not the GUI subsystem" % pe.subsystem
    resources = pe.resources()
    manifest = resources.get((RT_MANIFEST, 1), b"").decode("utf-8", "replace")
    if 'level="requireAdministrator"' not in manifest:
        yield "manifest 1 does not ask for administrator rights"
    if "Microsoft.Windows.Common-Controls" not in manifest or 'version="6.0.0.0"' not in manifest:
        yield "manifest 1 does not depend on Common Controls 6.0"
    if (RT_GROUP_ICON, 10) not in resources:
        yield "no icon group 10"
    if not resources.get(("IMAGE", 11), b"").startswith(PNG_SIGNATURE):
        yield 'no PNG as resource "IMAGE" 11'
    expected = tuple(int(n) for n in version.split(".")) + (0,) * (4 - len(version.split(".")))
    found = version_of(resources.get((RT_VERSION, 1), b""))
    if found != expected:
        yield "version resource says %s, the project %s" % (
            ".".join(map(str, found)) if found else "nothing", version)
    for dll in pe.imports():
        name = dll.lower()
        if name not in SYSTEM_DLLS and not name.startswith(SYSTEM_DLL_PREFIXES):
            yield "imports %s, not a Windows system DLL" % dll


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--machine", choices=sorted(MACHINES), required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--extract-logo")
    parser.add_argument("exe")
    args = parser.parse_args()
    try:
        with open(args.exe, "rb") as f:
            pe = PeFile(f.read())
        found = list(faults(pe, args.machine, args.version))
        if args.extract_logo and not found:
            with open(args.extract_logo, "wb") as f:
                f.write(pe.resources()[("IMAGE", 11)])
    except (OSError, PeError, struct.error, ValueError, UnicodeDecodeError) as e:
        found = ["cannot read: %s" % e]
    for fault in found:
        print("%s: %s" % (args.exe, fault))
    if not found:
        print("%s: %s, GUI, manifest, icon 10, image 11, version %s, system imports only"
              % (args.exe, args.machine, args.version))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
