#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Falkon's bookmarks.json: the roots toolbar, menu and other, items url, folder, separator."""
import json
import sys

from common import folder, keep, show

DEFAULT_NAMES = {"bookmark_bar": "书签工具栏", "bookmark_menu": "书签菜单", "other": "其他书签"}


def fill(target, node):
    for child in node.get("children", []):
        if child.get("type") == "url":
            target["links"].append((child.get("name", ""), child.get("url", "")))
        elif child.get("type") == "folder":
            sub = folder(child.get("name", ""))
            target["folders"].append(sub)
            fill(sub, child)


tree = folder()
roots = json.load(open(sys.argv[1], encoding="utf-8"))["roots"]
for key, name in DEFAULT_NAMES.items():
    node = roots.get(key, {})
    sub = folder(node.get("name") or name)
    fill(sub, node)
    tree["folders"].append(sub)
show(keep(tree))
