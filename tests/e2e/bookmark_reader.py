#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a bookmarks file as another program would and prints its links in order.

For a Netscape bookmark file it first checks the line rules Chromium's line-by-line importer
relies on, then reads the markup with Python's own HTML parser; for XBEL it reads the XML with
Python's own parser (validity against the DTD is xmllint's job). Each link is printed as
"folder/folder/title<TAB>address<TAB>ADD_DATE<TAB>icon", the icon as the SHA-256 of the bytes of
its data address (or "-"), and each folder as "folder/folder/<TAB>ADD_DATE<TAB>LAST_MODIFIED".
Exit status 1 with the broken rule on standard error.

Usage: bookmark_reader.py FILE
"""

import base64
import hashlib
import html.parser
import re
import sys
import xml.etree.ElementTree as ElementTree

ATTRIBUTES = r'(?: [A-Z_]+="[^"\n]*")*'
LINE_RULES = [
    re.compile(r"<DL><p>"),
    re.compile(r"</DL><p>"),
    re.compile(r"<DT><H3" + ATTRIBUTES + r">[^<>\n]*</H3>"),
    re.compile(r'<DT><A HREF="[^"\n]*"' + ATTRIBUTES + r">[^<>\n]*</A>"),
]
HEAD = [
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
    '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">',
    "<TITLE>Bookmarks</TITLE>",
    "<H1>Bookmarks</H1>",
]


def fail(text):
    sys.stderr.write(text + "\n")
    sys.exit(1)


def icon_of(uri):
    if uri is None:
        return "-"
    match = re.fullmatch(r"data:image/[a-z.+-]+;base64,([A-Za-z0-9+/=]+)", uri)
    if not match:
        fail("an ICON that is no data address: " + uri[:80])
    return hashlib.sha256(base64.b64decode(match.group(1), validate=True)).hexdigest()


def check_lines(text):
    lines = text.split("\n")
    if lines[-1] != "":
        fail("the file does not end with a line end")
    lines = lines[:-1]
    if lines[: len(HEAD)] != HEAD:
        fail("the head is not the bookmark file's: " + repr(lines[: len(HEAD)]))
    depth = 0
    for number, line in enumerate(lines[len(HEAD) :], len(HEAD) + 1):
        if not any(rule.fullmatch(line) for rule in LINE_RULES):
            fail(f"line {number} breaks the line rules: {line[:120]!r}")
        depth += line == "<DL><p>"
        depth -= line == "</DL><p>"
        if depth < 0:
            fail(f"line {number} closes a list that is not open")
    if depth != 0:
        fail("a list is left open")


class NetscapeReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.folders = []
        self.heading = None
        self.heading_name = None
        self.link = None
        self.text = None
        self.out = []

    def path(self):
        return "".join(name + "/" for name in self.folders)

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "h3":
            self.text = ""
            self.heading = attrs
        elif tag == "a":
            self.text = ""
            self.link = attrs
        elif tag == "dl" and self.heading is not None:
            self.folders.append(self.heading_name)
            self.out.append(
                f"{self.path()}\t{self.heading.get('add_date', '-')}"
                f"\t{self.heading.get('last_modified', '-')}"
            )
            self.heading = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += data

    def handle_endtag(self, tag):
        if tag == "h3":
            self.heading_name = self.text
            self.text = None
        elif tag == "a":
            self.out.append(
                f"{self.path()}{self.text}\t{self.link['href']}\t"
                f"{self.link.get('add_date', '-')}\t{icon_of(self.link.get('icon'))}"
            )
            self.text = None
        elif tag == "dl" and self.folders:
            self.folders.pop()


def read_xbel(text):
    out = []

    def walk(element, path):
        for child in element:
            title = child.findtext("title") or ""
            if child.tag == "bookmark":
                out.append(f"{path}{title}\t{child.get('href')}\t{child.get('added', '-')}\t-")
            elif child.tag == "folder":
                out.append(f"{path}{title}/\t{child.get('added', '-')}\t-")
                walk(child, path + title + "/")

    root = ElementTree.fromstring(text)
    if root.tag != "xbel" or root.get("version") != "1.0":
        fail("the root is not <xbel version=\"1.0\">")
    walk(root, "")
    return out


def main():
    with open(sys.argv[1], "rb") as file:
        text = file.read().decode("utf-8")
    if text.startswith("<?xml"):
        lines = read_xbel(text.encode("utf-8"))
    else:
        check_lines(text)
        reader = NetscapeReader()
        reader.feed(text)
        reader.close()
        lines = reader.out
    sys.stdout.write("".join(line + "\n" for line in lines))


main()
