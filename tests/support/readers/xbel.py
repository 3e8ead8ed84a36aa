#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An XBEL file: folders, bookmarks and aliases (a copy of what they name, unless it holds them)."""
import sys
import xml.etree.ElementTree as ElementTree

from common import folder, show

root = ElementTree.parse(sys.argv[1]).getroot()
ids = {e.get("id"): e for e in root.iter() if e.tag in ("folder", "bookmark") and e.get("id")}


def title(element):
    found = element.find("title")
    return (found.text or "").strip() if found is not None else ""


def fill(target, element, open_folders):
    for child in element:
        if child.tag == "alias":
            child = ids.get(child.get("ref"))
            if child is None or child in open_folders:
                continue
        if child.tag == "bookmark":
            target["links"].append((title(child), child.get("href", "")))
        elif child.tag == "folder":
            sub = folder(title(child))
            target["folders"].append(sub)
            fill(sub, child, open_folders + [child])


tree = folder()
fill(tree, root, [root])
show(tree)
