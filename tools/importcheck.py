#!/usr/bin/env python3
"""Checks that every import of a Windows program resolves before its first call.

usage: importcheck.py [--delayed DLL]... PROGRAM.exe...

Normal imports: each descriptor names a DLL inside the image, and every
slot of its address table holds an ordinal or the address of a hint and
name. Delayed imports: each slot's initial value is the address of the
program's own loading code, so the first call loads the DLL. GNU ld leaves
the delay-import directory empty for dlltool's delay libraries, so their
descriptors are also found by scanning the sections for them. --delayed
requires a delay-load descriptor for that DLL. Exits 1 on any fault.
"""
import collections
import struct
import sys

SCN_CODE, SCN_EXECUTE = 0x20, 0x20000000
# Where a section lies when loaded (rva, size) and in the file (raw, rawsize).
Section = collections.namedtuple("Section", "rva size raw rawsize flags")


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        nsections, optsize = struct.unpack_from("<H12xH", data, pe + 6)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        if magic not in (0x10B, 0x20B):
            raise ValueError("unknown optional header")
        wide = magic == 0x20B
        self.slot = 8 if wide else 4
        self.ordinal = 1 << (self.slot * 8 - 1)
        self.base = struct.unpack_from("<Q" if wide else "<I", data, opt + (24 if wide else 28))[0]
        dirs = opt + (112 if wide else 96)
        count = struct.unpack_from("<I", data, dirs - 4)[0]
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(min(count, 16))]
        self.sections = []
        for i in range(nsections):
            vsize, rva, rawsize, raw = struct.unpack_from("<4I", data, opt + optsize + 40 * i + 8)
            flags = struct.unpack_from("<I", data, opt + optsize + 40 * i + 36)[0]
            if raw + rawsize > len(data):
                raise ValueError("truncated")
            self.sections.append(Section(rva, max(vsize, rawsize), raw, rawsize, flags))

    def section(self, rva):
        for s in self.sections:
            if s.rva <= rva < s.rva + s.size:
                return s
        return None

    def read(self, rva, size):
        """Bytes at rva as loaded (zero past the raw data), or None."""
        s = self.section(rva)
        if not s or rva + size > s.rva + s.size:
            return None
        start = s.raw + rva - s.rva
        chunk = self.data[start:min(start + size, s.raw + s.rawsize)]
        return chunk + bytes(size - len(chunk))

    def entry(self, rva):
        raw = self.read(rva, self.slot)
        return None if raw is None else int.from_bytes(raw, "little")

    def string(self, rva, limit=512):
        """The NUL-terminated string at rva, or None."""
        raw = self.read(rva, 1)
        text = b""
        while raw is not None and raw != b"\0" and len(text) < limit:
            text += raw
            rva += 1
            raw = self.read(rva, 1)
        return text.decode("latin-1") if raw == b"\0" and text else None

    def name(self, value):
        """What an import lookup entry names: '#ordinal', a name, or None."""
        if value & self.ordinal:
            return "#%d" % (value & 0xFFFF)
        return self.string(value + 2) if value < 1 << 31 else None

    def in_code(self, address):
        """Whether a loaded address lies in the program's code."""
        s = self.section(address - self.base) if address >= self.base else None
        return bool(s and s.flags & (SCN_CODE | SCN_EXECUTE)
                    and address - self.base < s.rva + s.rawsize)


def functions(image, dll, lookup, iat, faults):
    """(name, initial slot value) of each function, walking the lookup and
    address tables in step up to the lookup table's 0 entry."""
    found = []
    while len(found) < 65536:
        entry = image.entry(lookup + len(found) * image.slot)
        if entry is None:
            faults.append("%s: lookup table runs out of the image" % dll)
        if not entry:
            return found
        name = image.name(entry)
        if name is None:
            faults.append("%s entry %d: 0x%x is neither an ordinal nor a name"
                          % (dll, len(found), entry))
            return found
        found.append((name, image.entry(iat + len(found) * image.slot)))
    faults.append("%s: lookup table without end" % dll)
    return found


def check_imports(image, faults):
    """Normal imports: (dll, number of functions) for each descriptor."""
    found = []
    rva = image.dirs[1][0] if len(image.dirs) > 1 else 0
    while rva:
        raw = image.read(rva, 20)
        if raw is None:
            faults.append("import table runs out of the image")
            break
        lookup, _, _, name, iat = struct.unpack("<IIIII", raw)
        if not (lookup or name or iat):
            break
        dll = image.string(name)
        if dll is None or image.section(iat) is None:
            faults.append("import descriptor at 0x%x: bad name or address table" % rva)
            break
        imported = functions(image, dll, lookup or iat, iat, faults)
        for function, slot in imported:
            if slot is None or image.name(slot) != function:
                faults.append("%s %s: slot holds 0x%x, not its name or ordinal"
                              % (dll, function, slot or 0))
        found.append((dll, len(imported)))
        rva += 20
    if not found:
        faults.append("imports nothing")
    return found


def delay_descriptors(image):
    """RVAs of delay-load descriptors: the directory's, and any found in the sections."""
    found = set()
    rva = image.dirs[13][0] if len(image.dirs) > 13 else 0
    while rva and image.read(rva, 32) not in (None, bytes(32)):
        found.add(rva)
        rva += 32
    for s in image.sections:
        for offset in range(0, s.rawsize - 31, 4):
            attrs, name, hmod, iat, lookup = struct.unpack_from("<5I", image.data, s.raw + offset)
            if attrs == 1 and all(image.section(r) for r in (name, hmod, iat, lookup)) \
                    and (image.string(name) or "").lower().endswith(".dll"):
                found.add(s.rva + offset)
    return sorted(found)


def check_delayed(image, faults):
    """Delayed imports: (dll, number of functions) for each descriptor."""
    found = []
    for rva in delay_descriptors(image):
        attrs, name, _, iat, lookup = struct.unpack("<5I", image.read(rva, 20))
        dll = image.string(name)
        if attrs != 1 or dll is None:
            faults.append("delay descriptor at 0x%x: not by RVA, or no name" % rva)
            continue
        imported = functions(image, dll, lookup, iat, faults)
        for function, slot in imported:
            if slot is None or not image.in_code(slot):
                faults.append("delayed %s %s: slot holds 0x%x, not the program's code"
                              % (dll, function, slot or 0))
        found.append((dll, len(imported)))
    return found


def main(args):
    required = []
    while args[:1] == ["--delayed"] and len(args) > 1:
        required.append(args[1].lower())
        args = args[2:]
    if not args:
        sys.exit(__doc__.strip())
    status = 0
    for path in args:
        faults = []
        try:
            image = Image(open(path, "rb").read())
            imports = check_imports(image, faults)
            delayed = check_delayed(image, faults)
        except (OSError, ValueError, struct.error) as error:
            faults, imports, delayed = ["unreadable: %s" % error], [], []
        for dll in required:
            if dll not in [d.lower() for d, _ in delayed]:
                faults.append("no delay-load descriptor for %s" % dll)
        for fault in faults:
            print("%s: %s" % (path, fault))
        print("%s: %s: %d DLLs, %d functions; delayed: %s" % (
            path, "FAIL" if faults else "ok", len(imports), sum(n for _, n in imports),
            ", ".join("%s (%d)" % d for d in delayed) or "none"))
        status |= bool(faults)
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
