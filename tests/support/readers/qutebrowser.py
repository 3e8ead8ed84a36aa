#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""qutebrowser's configuration folder: bookmarks/urls ("URL TITLE") and quickmarks ("NAME URL")."""
import os
import re
import sys

from common import folder, keep, show


def lines(path):
    if not os.path.exists(path):
        return []
    return [line.strip() for line in open(path, encoding="utf-8") if line.strip()]


def with_scheme(url):
    return url if re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:(//|(?<=about:)|(?<=mailto:))", url) \
        else "http://" + url


tree = folder()
urls = folder("书签")
for line in lines(os.path.join(sys.argv[1], "bookmarks", "urls")):
    parts = line.split(maxsplit=1)
    urls["links"].append((parts[1] if len(parts) > 1 else "", parts[0]))
marks = folder("快速标记")
for line in lines(os.path.join(sys.argv[1], "quickmarks")):
    name, url = line.rsplit(maxsplit=1)
    marks["links"].append((name, with_scheme(url)))
tree["folders"] = [urls, marks]
show(keep(tree))
