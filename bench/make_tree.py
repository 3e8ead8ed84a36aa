#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a large shortcut tree for the benchmarks: LINKS shortcuts spread over FOLDERS folders,
nested ten to a level, with mixed-case Latin and Chinese names as real Favorites have. With
ICONS, the tree also keeps that many distinct site icons (16 px PNGs) in its icon folder, as an
import keeps them, and each link's shortcut names the icon of its site."""
import os
import random
import struct
import sys
import zlib

WORDS = ["news", "Docs", "wiki", "Blog", "forum", "Mail", "shop", "Video", "map", "Code",
         "新闻", "文档", "学习", "娱乐", "工具", "音乐", "购物", "地图", "论坛", "技术"]


def name(rng, index):
    return f"{rng.choice(WORDS)} {rng.choice(WORDS)} {index}"


def png(index):
    """A 16 px PNG of one colour of its own, with a pattern so that it compresses as icons do."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    colour = bytes([index % 256, (index // 256) % 256, 255 - index % 256, 255])
    rows = b"".join(b"\0" + (colour * 8 + bytes([255, 255, 255, 255]) * 8 if y % 4 < 2 else
                             colour * 16) for y in range(16))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 16, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main():
    root, links, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    icons = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    if icons:
        os.makedirs(os.path.join(root, ".linkshelf-icons"))
        for index in range(icons):
            with open(os.path.join(root, ".linkshelf-icons", f"{index}.png"), "wb") as icon:
                icon.write(png(index))
    rng = random.Random(20261207)
    paths = [root]
    os.makedirs(root, exist_ok=True)
    for index in range(1, folders):
        parent = paths[(index - 1) // 10]
        path = os.path.join(parent, name(rng, index))
        os.mkdir(path)
        paths.append(path)
    for index in range(links):
        folder = paths[index % len(paths)]
        site = index % max(997, icons)
        url = f"https://www.example{site}.org/{rng.choice(WORDS)}/{index}?ref=favorites"
        icon = ""
        if icons:
            up = os.path.relpath(root, folder)
            icon = f"IconFile={up}/.linkshelf-icons/{site % icons}.png\r\n"
        with open(os.path.join(folder, name(rng, index) + ".url"), "w", newline="") as shortcut:
            shortcut.write(f"[DEFAULT]\r\nBASEURL={url}\r\n[InternetShortcut]\r\nURL={url}\r\n"
                           f"{icon}IconIndex=0\r\n")


if __name__ == "__main__":
    main()
