#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Firefox's bookmark backups, .json or .jsonlz4 (the LZ4 block decoded here by hand)."""
import json
import struct
import sys

from common import folder, keep, show

ROOTS = [("toolbarFolder", "书签工具栏"), ("bookmarksMenuFolder", "书签菜单"),
         ("unfiledBookmarksFolder", "其他书签"), ("mobileFolder", "移动设备书签")]


def lz4_block(data, size):
    out = bytearray()
    i = 0
    while True:
        token = data[i]
        i += 1
        length = token >> 4
        if length == 15:
            while True:
                length += data[i]
                i += 1
                if data[i - 1] != 255:
                    break
        out += data[i:i + length]
        i += length
        if i == len(data):
            break
        offset = data[i] | data[i + 1] << 8
        i += 2
        length = token & 15
        if length == 15:
            while True:
                length += data[i]
                i += 1
                if data[i - 1] != 255:
                    break
        for _ in range(length + 4):
            out.append(out[-offset])
    assert len(out) == size
    return bytes(out)


def kind(node):
    return node.get("typeCode") or {"text/x-moz-place": 1,
                                    "text/x-moz-place-container": 2}.get(node.get("type"), 3)


def fill(target, node):
    for child in node.get("children", []):
        if kind(child) == 1:
            target["links"].append((child.get("title", ""), child.get("uri", "")))
        elif kind(child) == 2 and not any(a.get("name") == "livemark/feedURI"
                                          for a in child.get("annos", [])):
            sub = folder(child.get("title", ""))
            target["folders"].append(sub)
            fill(sub, child)


raw = open(sys.argv[1], "rb").read()
if raw.startswith(b"mozLz40\0"):
    raw = lz4_block(raw[12:], struct.unpack("<I", raw[8:12])[0])
document = json.loads(raw)
tree = folder()
for root, name in ROOTS:
    for node in document["children"]:
        if node.get("root") == root:
            sub = folder(name)
            fill(sub, node)
            tree["folders"].append(sub)
show(keep(tree))
