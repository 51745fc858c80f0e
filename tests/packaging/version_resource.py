#!/usr/bin/env python3
"""Prints the version resource of a Windows program, one NAME=VALUE line per field.

Usage: version_resource.py PROGRAM
The fixed file version comes as FixedFileVersion=a.b.c.d, then each string of every
StringFileInfo table (FileVersion=..., FileDescription=...). Reads the raw resource through
wrestool (icoutils) and walks the VS_VERSIONINFO tree as Windows lays it out: each node is
wLength, wValueLength, wType, a UTF-16 key, padding to 32 bits, the value, then its children.
"""
import struct
import subprocess
import sys


def align(offset):
    return (offset + 3) & ~3


def node(data, offset):
    """The node at offset: (key, value bytes or text, children offsets range, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_end = offset + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[offset + 6:key_end].decode("utf-16-le")
    value_at = align(key_end + 2)
    if kind == 1:  # text: wValueLength counts UTF-16 units, the terminating zero included
        value = data[value_at:value_at + 2 * value_length].decode("utf-16-le").rstrip("\0")
        children_at = align(value_at + 2 * value_length)
    else:
        value = data[value_at:value_at + value_length]
        children_at = align(value_at + value_length)
    return key, value, children_at, end


def children(data, start, end):
    offset = start
    while offset < end:
        key, value, children_at, child_end = node(data, offset)
        yield key, value, children_at, child_end
        offset = align(child_end)


def main():
    raw = subprocess.run(["wrestool", "--extract", "--raw", "--type=16", sys.argv[1]],
                         check=True, capture_output=True).stdout
    if not raw:
        sys.exit(f"{sys.argv[1]}: no version resource")
    key, fixed, children_at, end = node(raw, 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 16:
        sys.exit(f"{sys.argv[1]}: not a version resource")
    signature, _, ms, ls = struct.unpack_from("<IIII", fixed)
    if signature != 0xFEEF04BD:
        sys.exit(f"{sys.argv[1]}: no fixed file information")
    print(f"FixedFileVersion={ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
    for block, _, block_children, block_end in children(raw, children_at, end):
        if block != "StringFileInfo":
            continue
        for _, _, table_children, table_end in children(raw, block_children, block_end):
            for name, value, _, _ in children(raw, table_children, table_end):
                print(f"{name}={value}")


if __name__ == "__main__":
    main()
