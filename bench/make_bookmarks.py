#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the bookmarks of one browser profile in each of the three forms the import reads:
an export file (bookmarks.html), a Chromium Bookmarks file and a Firefox places.sqlite. LINKS
links spread over FOLDERS folders nested ten to a level, as bench/plain_write.cpp lays out its
files, with mixed Latin and Chinese titles. The same arguments always make the same files."""
import html
import json
import os
import random
import sqlite3
import sys

WORDS = ["news", "Docs", "wiki", "Blog", "forum", "Mail", "shop", "Video", "map", "Code",
         "新闻", "文档", "学习", "娱乐", "工具", "音乐", "购物", "地图", "论坛", "技术"]


def tree(links, folders):
    """Folder 0 is the top; folder i > 0 lies in folder (i - 1) // 10; link i in folder i % FOLDERS."""
    rng = random.Random(20261207)
    titles = [""] + [f"{rng.choice(WORDS)} {rng.choice(WORDS)} {i}" for i in range(1, folders)]
    children = [[] for _ in range(folders)]
    for i in range(1, folders):
        children[(i - 1) // 10].append(("folder", i))
    for i in range(links):
        url = f"https://www.example{i % 997}.org/{rng.choice(WORDS)}/{i}?ref=bookmarks&x=1"
        children[i % folders].append(("link", (f"{rng.choice(WORDS)} {rng.choice(WORDS)} {i}", url)))
    return titles, children


def export_file(path, titles, children):
    with open(path, "w", encoding="utf-8") as out:
        out.write('<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV="Content-Type" '
                  'CONTENT="text/html; charset=UTF-8">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n')

        def folder(index, indent):
            out.write(f"{indent}<DL><p>\n")
            for kind, item in children[index]:
                if kind == "folder":
                    out.write(f'{indent}    <DT><H3 ADD_DATE="1700000000">{html.escape(titles[item])}</H3>\n')
                    folder(item, indent + "    ")
                else:
                    title, url = item
                    out.write(f'{indent}    <DT><A HREF="{html.escape(url)}" ADD_DATE="1700000000">'
                              f"{html.escape(title)}</A>\n")
            out.write(f"{indent}</DL><p>\n")

        folder(0, "")


def chromium(path, titles, children):
    def node(index):
        result = []
        for kind, item in children[index]:
            if kind == "folder":
                result.append({"type": "folder", "name": titles[item], "children": node(item)})
            else:
                result.append({"type": "url", "name": item[0], "url": item[1]})
        return result

    roots = {"bookmark_bar": {"type": "folder", "name": "Bookmarks bar", "children": node(0)},
             "other": {"type": "folder", "name": "Other bookmarks", "children": []},
             "synced": {"type": "folder", "name": "Mobile bookmarks", "children": []}}
    with open(path, "w", encoding="utf-8") as out:
        json.dump({"roots": roots, "version": 1}, out, ensure_ascii=False, indent=3)


def places(path, titles, children):
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript("""
        CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);
        CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
          parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT);
        INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'),
          (2, 2, NULL, 1, 0, 'toolbar', 'toolbar_____');""")
    rows, place_rows = [], []
    next_id = [10]

    def folder(index, parent):
        for position, (kind, item) in enumerate(children[index]):
            row = next_id[0]
            next_id[0] += 1
            if kind == "folder":
                rows.append((row, 2, None, parent, position, titles[item], f"f{row}"))
                folder(item, row)
            else:
                place_rows.append((row, item[1], None))
                rows.append((row, 1, row, parent, position, item[0], f"b{row}"))

    folder(0, 2)
    db.executemany("INSERT INTO moz_places VALUES (?, ?, ?)", place_rows)
    db.executemany("INSERT INTO moz_bookmarks VALUES (?, ?, ?, ?, ?, ?, ?)", rows)
    db.commit()
    db.close()


def main():
    root, links, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    os.makedirs(root, exist_ok=True)
    titles, children = tree(links, folders)
    export_file(os.path.join(root, "bookmarks.html"), titles, children)
    chromium(os.path.join(root, "Bookmarks"), titles, children)
    places(os.path.join(root, "places.sqlite"), titles, children)


main()
