#!/usr/bin/env python3
"""Prints the version resource of a Windows program (PE file), as Windows' file properties
read it: the fixed file and product versions, then each text of its string tables.

Usage: scripts/pe-version.py FILE        every entry, one "Name=value" a line
       scripts/pe-version.py FILE NAME   NAME's value alone (status 1 if the file lacks it)
Status 2 when the file is no PE file or holds no version resource."""
import struct
import sys

RT_VERSION = 16


def fail(message):
    print(f"{sys.argv[1]}: {message}", file=sys.stderr)
    sys.exit(2)


def version_resource(data):
    """The bytes of the file's first version resource."""
    if data[:2] != b"MZ":
        fail("not a Windows program")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe : pe + 4] != b"PE\0\0":
        fail("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + {0x10B: 96, 0x20B: 112}.get(magic, 0)
    if directories == optional:
        fail("unknown optional header")
    resources_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    if resources_rva == 0:
        fail("no resources")

    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for virtual_size, address, raw_size, raw in spans:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        fail(f"address {rva:#x} in no section")

    base = offset(resources_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + ids):
            yield struct.unpack_from("<II", data, base + directory + 16 + 8 * i)

    def first_below(directory, wanted=None):
        for name, target in entries(directory):
            if wanted is None or name == wanted:
                return target
        fail("no version resource")

    # Type, then name, then language: the two first levels are directories.
    level = first_below(0, RT_VERSION)
    level = first_below(level & 0x7FFFFFFF)
    leaf = first_below(level & 0x7FFFFFFF)
    if leaf & 0x80000000:
        fail("malformed resource directory")
    rva, size = struct.unpack_from("<II", data, base + leaf)
    start = offset(rva)
    return data[start : start + size]


def node(block, at):
    """One node of the version tree: (key, value, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", block, at)
    end = at + length
    key_end = at + 6
    while block[key_end : key_end + 2] != b"\0\0":
        key_end += 2
    key = block[at + 6 : key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    if kind == 1:  # text, its length in characters with the final null
        value = block[value_at : value_at + 2 * value_length].decode("utf-16-le").rstrip("\0")
        value_end = value_at + 2 * value_length
    else:
        value = block[value_at : value_at + value_length]
        value_end = value_at + value_length
    children = []
    child = (value_end + 3) & ~3
    while child + 6 <= end:
        item = node(block, child)
        children.append(item)
        child = (item[3] + 3) & ~3
    return key, value, children, end


def entries_of(block):
    key, fixed, children, _ = node(block, 0)
    if key != "VS_VERSION_INFO":
        fail("malformed version resource")
    found = []
    if len(fixed) >= 52 and struct.unpack_from("<I", fixed)[0] == 0xFEEF04BD:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", fixed, 8)
        for name, ms, ls in (("FixedFileVersion", file_ms, file_ls),
                             ("FixedProductVersion", product_ms, product_ls)):
            found.append((name, f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"))
    for key, _, tables, _ in children:
        if key == "StringFileInfo":
            for _, _, strings, _ in tables:
                found.extend((name, value) for name, value, _, _ in strings)
    return found


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    try:
        with open(sys.argv[1], "rb") as f:
            data = f.read()
        found = entries_of(version_resource(data))
    except (OSError, struct.error, UnicodeDecodeError) as error:
        fail(str(error))
    if len(sys.argv) == 3:
        values = [value for name, value in found if name == sys.argv[2]]
        if not values:
            sys.exit(1)
        print(values[0])
    else:
        for name, value in found:
            print(f"{name}={value}")


main()
