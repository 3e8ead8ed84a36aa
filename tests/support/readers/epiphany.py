#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""GNOME Web's bookmarks.gvdb: the GVDB table "bookmarks" found by its hash, each value a
GVariant (xssxbas) or (xssdbas) decoded here by hand. A folder per tag, sorted, then the
untagged ones; in each, bookmarks by time added, title, address."""
import struct
import sys

from common import folder, show


def djb(key):
    value = 5381
    for byte in key:
        value = (value * 33 + (byte - 256 if byte > 127 else byte)) & 0xFFFFFFFF
    return value


class Table:
    def __init__(self, data, start, end):
        self.data = data
        bloom, buckets = struct.unpack_from("<II", data, start)
        bloom &= (1 << 27) - 1
        self.buckets = struct.unpack_from(f"<{buckets}I", data, start + 8 + 4 * bloom)
        self.items_at = start + 8 + 4 * (bloom + buckets)
        self.count = (end - self.items_at) // 24

    def item(self, index):
        hash_value, _, key_start, key_size, kind, start, end = struct.unpack_from(
            "<IIIHcxII", self.data, self.items_at + 24 * index)
        return hash_value, self.data[key_start:key_start + key_size], kind, start, end

    def lookup(self, key):
        hash_value = djb(key)
        bucket = hash_value % len(self.buckets)
        last = self.buckets[bucket + 1] if bucket + 1 < len(self.buckets) else self.count
        for index in range(self.buckets[bucket], min(last, self.count)):
            item = self.item(index)
            if item[0] == hash_value and item[1] == key:
                return item
        return None


def offset_size(size):
    return 0 if size == 0 else 1 if size < 0x100 else 2 if size < 0x10000 else 4


def offsets(data, count):
    size = offset_size(len(data))
    return [int.from_bytes(data[len(data) - size * (i + 1):len(data) - size * i], "little")
            for i in range(count)]


def strings(data):
    if not data:
        return []
    size = offset_size(len(data))
    last = int.from_bytes(data[-size:], "little")
    ends = [int.from_bytes(data[last + size * i:last + size * (i + 1)], "little")
            for i in range((len(data) - last) // size)]
    starts = [0] + ends[:-1]
    return [data[s:e - 1].decode() for s, e in zip(starts, ends)]


def bookmark(value):
    data, kind = value.rsplit(b"\0", 1)
    assert kind in (b"(xssxbas)", b"(xssdbas)"), kind
    end_title, end_id = offsets(data, 2)
    added = struct.unpack_from("<q", data, 0)[0]
    title = data[8:end_title - 1].decode()
    tags_start = ((end_id + 7) & ~7) + 9
    tags_end = len(data) - 2 * offset_size(len(data))
    return added, title, strings(data[tags_start:tags_end])


data = open(sys.argv[1], "rb").read()
root = Table(data, *struct.unpack_from("<II", data, 16))
_, _, _, start, end = root.lookup(b"bookmarks")
table = Table(data, start, end)
entries = []
for index in range(table.count):
    _, key, _, start, end = table.item(index)
    added, title, tags = bookmark(data[start:end])
    entries.append((added, title, key.decode(), sorted(set(tags))))
entries.sort()
tree = folder()
for tag in sorted({tag for entry in entries for tag in entry[3]}, key=lambda t: t.encode()):
    tree["folders"].append(folder(tag))
    tree["folders"][-1]["links"] = [(e[1], e[2]) for e in entries if tag in e[3]]
untagged = folder("没有标签的书签")
untagged["links"] = [(e[1], e[2]) for e in entries if not e[3]]
if untagged["links"]:
    tree["folders"].append(untagged)
show(tree)
