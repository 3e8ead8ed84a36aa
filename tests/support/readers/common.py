# SPDX-License-Identifier: GPL-3.0-or-later
"""The tree a reader found, printed as the C++ tests print theirs: in each folder its links
("path/title = address") in order, then each subfolder ("path/title/") followed by its content."""


def show(folder, path=""):
    for title, url in folder["links"]:
        print(f"{path}{title} = {url}")
    for sub in folder["folders"]:
        print(f"{path}{sub['title']}/")
        show(sub, f"{path}{sub['title']}/")


def folder(title=""):
    return {"title": title, "links": [], "folders": []}


def keep(tree):
    """The top folders that hold anything."""
    tree["folders"] = [f for f in tree["folders"] if f["links"] or f["folders"]]
    return tree
