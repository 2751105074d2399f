#!/usr/bin/env python3
"""Makes a zip's extended timestamps repeatable: each entry's access and
change times become its modification time. The archiver records the staged
files' inode change times, which no build can set, so without this two
builds of the same commit differ in those bytes alone. The checksums cover
only the file contents, so the archive stays valid."""
import struct
import sys

TIMESTAMP_FIELD = 0x5455


def normalise_extra(data, start, length):
    end = start + length
    while start + 4 <= end:
        field, size = struct.unpack_from("<HH", data, start)
        body = start + 4
        if field == TIMESTAMP_FIELD and size >= 1:
            flags = data[body]
            times = [body + 1 + 4 * i for i in range(3) if flags & (1 << i) and 1 + 4 * (i + 1) <= size]
            # Several times in one field: the first is the modification time.
            if flags & 1 and times:
                for offset in times[1:]:
                    data[offset:offset + 4] = data[times[0]:times[0] + 4]
        start = body + size


def normalise(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    eocd = data.rfind(b"PK\x05\x06")
    if eocd < 0:
        sys.exit(f"{path}: not a zip archive")
    entries, directory_size, directory = struct.unpack_from("<HII", data, eocd + 10)
    at = directory
    for _ in range(entries):
        name_length, extra_length, comment_length = struct.unpack_from("<HHH", data, at + 28)
        local = struct.unpack_from("<I", data, at + 42)[0]
        normalise_extra(data, at + 46 + name_length, extra_length)
        local_name, local_extra = struct.unpack_from("<HH", data, local + 26)
        normalise_extra(data, local + 30 + local_name, local_extra)
        at += 46 + name_length + extra_length + comment_length
    with open(path, "wb") as f:
        f.write(data)


for archive in sys.argv[1:]:
    normalise(archive)
