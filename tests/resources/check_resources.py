#!/usr/bin/env python3
"""Checks the resources compiled into moxavel.exe: icon group 129 with 48, 32, 24 and 16
pixel images at 4, 8 and 32 bits per pixel, and a manifest asking for common controls 6."""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


def read_pe_resources(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    assert struct.unpack_from("<H", data, optional)[0] == 0x10B, "not PE32"
    rsrc_rva, _ = struct.unpack_from("<II", data, optional + 96 + 2 * 8)
    table = optional + optional_size
    spans = []
    for i in range(sections):
        vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", data, table + i * 40 + 8)
        spans.append((vaddr, max(vsize, rawsize), rawptr))

    def offset(rva):
        for vaddr, size, rawptr in spans:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + rawptr
        raise ValueError("rva outside every section")

    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + i * 8)
            yield name, target

    resources = {}
    for type_id, type_dir in entries(0):
        for name_id, name_dir in entries(type_dir & 0x7FFFFFFF):
            for _, leaf in entries(name_dir & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                start = offset(rva)
                resources[(type_id, name_id)] = data[start:start + size]
    return resources


def main(path):
    resources = read_pe_resources(open(path, "rb").read())
    failures = []
    group = resources.get((RT_GROUP_ICON, 129))
    if group is None:
        failures.append("no icon group 129")
    else:
        _, kind, count = struct.unpack_from("<HHH", group, 0)
        found = set()
        for i in range(count):
            w, h, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + i * 14)
            found.add((w or 256, h or 256, bits))
            if (RT_ICON, icon_id) not in resources:
                failures.append(f"icon image {icon_id} missing")
        wanted = {(s, s, b) for s in (48, 32, 24, 16) for b in (4, 8, 32)}
        if kind != 1 or count != 12 or found != wanted:
            failures.append(f"icon group 129 holds {sorted(found)}, wanted {sorted(wanted)}")
    manifest = resources.get((RT_MANIFEST, 1), b"")
    if b"Microsoft.Windows.Common-Controls" not in manifest or b'version="6.0.0.0"' not in manifest:
        failures.append("manifest does not ask for common controls 6.0.0.0")
    for failure in failures:
        print("FAIL:", failure)
    print("0 passed, 1 failed" if failures else "1 passed, 0 failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
