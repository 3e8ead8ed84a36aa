#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a large shortcut tree for the benchmarks: LINKS shortcuts spread over FOLDERS folders,
nested ten to a level, with mixed-case Latin and Chinese names as real Favorites have."""
import os
import random
import sys

WORDS = ["news", "Docs", "wiki", "Blog", "forum", "Mail", "shop", "Video", "map", "Code",
         "新闻", "文档", "学习", "娱乐", "工具", "音乐", "购物", "地图", "论坛", "技术"]


def name(rng, index):
    return f"{rng.choice(WORDS)} {rng.choice(WORDS)} {index}"


def main():
    root, links, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
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
        url = f"https://www.example{index % 997}.org/{rng.choice(WORDS)}/{index}?ref=favorites"
        with open(os.path.join(folder, name(rng, index) + ".url"), "w", newline="") as shortcut:
            shortcut.write(f"[DEFAULT]\r\nBASEURL={url}\r\n[InternetShortcut]\r\nURL={url}\r\n"
                           "IconIndex=0\r\n")


if __name__ == "__main__":
    main()
