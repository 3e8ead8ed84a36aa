#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Imports bookmarks of each kind with the built program, generates the page from what it wrote,
# and checks that every link a page can open is on it with its exact address; bad sources, cut-off
# exports and a killed import leave everything as it was.
# Usage: import.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source_root=$2
source "$(dirname "$0")/common.sh"
fixtures=$source_root/tests/data/import

prog=$work/prog
mkdir -p "$prog" "$work/home/.config" "$work/desk"
cp "$program" "$prog/linkshelf"
printf '%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
printf 'XDG_DESKTOP_DIR="%s"\nXDG_FAVORITES_DIR="%s"\n' "$work/desk" "$work/fav" \
    >"$work/home/.config/user-dirs.dirs"
run() { # arguments: runs the program with a clean environment, keeping its output
    out=$("${clean_env[@]}" "$prog/linkshelf" "$@" 2>"$work/stderr")
    status=$?
    err=$(cat "$work/stderr")
}

# The page generated from one imported folder.
page_of() { # folder
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\n' "$1" "$work/page.htm" >"$work/page.lfs"
    run "$work/page.lfs"
    expect_eq "page status for $1" 0 "$status"
    cat "$work/page.htm"
}

# Firefox's database, as the browser lays it out, in a profile that profiles.ini names.
profile=$work/home/.mozilla/firefox/abcd.default-release
mkdir -p "$profile"
printf '[Profile0]\nName=default-release\nIsRelative=1\nPath=abcd.default-release\nDefault=1\n' \
    >"$work/home/.mozilla/firefox/profiles.ini"
sqlite3 "$profile/places.sqlite" <<'SQL'
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, guid TEXT);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
  dateAdded INTEGER, lastModified INTEGER, guid TEXT);
INSERT INTO moz_places (id, url) VALUES (1, 'https://www.mozilla.org/?a=1&b=<2>'),
  (2, 'place:sort=8'), (3, 'https://example.com/deep#x');
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'), (2, 2, NULL, 1, 0, 'menu', 'menu________'),
  (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'), (10, 1, 1, 3, 0, 'Mozilla', 'a'),
  (11, 1, 2, 3, 1, 'Recent', 'b'), (12, 2, NULL, 2, 0, 'Sub', 'c'), (13, 1, 3, 12, 0, '', 'd');
SQL

echo "== each kind of source reaches the page with every openable address exactly"
check_round_trip() { # source, folder written, expected addresses (escaped as on the page), skipped
    local source=$1 folder=$2 addresses=$3 skipped=$4
    run --import "$source"
    expect_eq "import status of $source" 0 "$status"
    expect_eq "import errors of $source" "" "$err"
    case $out in *"跳过了 $skipped 个"*) ;; *) fail "skipped count of $source: $out" ;; esac
    local page
    page=$(page_of "$work/fav/$folder")
    expect_eq "addresses on the page of $source" "$addresses" \
        "$(grep -o 'HREF="[^"]*"' <<<"$page" | sort | tr '\n' ' ')"
}
check_round_trip "$fixtures/bookmarks.html" bookmarks \
    'HREF="ftp://ftp.example.org/pub/" HREF="https://example.com/a?x=1&amp;y=2" HREF="https://example.com/b" HREF="https://example.net/empty" HREF="https://example.org/same" HREF="https://example.org/same2" HREF="https://www.mozilla.org/zh-CN/" ' 3
check_round_trip "$fixtures/Bookmarks" Bookmarks \
    'HREF="file:///home/user/notes.txt" HREF="https://example.com:8443/path" HREF="https://www.chromium.org/?a=1&amp;b=%E4%B8%AD" HREF="mailto:someone@example.com" ' 1
check_round_trip firefox Firefox \
    'HREF="https://example.com/deep#x" HREF="https://www.mozilla.org/?a=1&amp;b=&lt;2&gt;" ' 1
[ -e "$work/fav/Firefox/书签菜单/Sub/example.com.url" ] || fail "Firefox folder path or host name lost"

# An export as Edge saves it without its first line, and a Firefox 3 database from an old
# profile backup: roots in their own table, no guid columns.
mkdir -p "$work/edge" "$work/old-profile"
sed 1d "$fixtures/bookmarks.html" >"$work/edge/favorites.html"
check_round_trip "$work/edge/favorites.html" favorites \
    'HREF="ftp://ftp.example.org/pub/" HREF="https://example.com/a?x=1&amp;y=2" HREF="https://example.com/b" HREF="https://example.net/empty" HREF="https://example.org/same" HREF="https://example.org/same2" HREF="https://www.mozilla.org/zh-CN/" ' 3
sqlite3 "$work/old-profile/places.sqlite" <<'SQL'
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,
  typed INTEGER DEFAULT 0 NOT NULL, favicon_id INTEGER, frecency INTEGER DEFAULT -1 NOT NULL);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
  dateAdded INTEGER, lastModified INTEGER);
CREATE TABLE moz_bookmarks_roots (root_name VARCHAR(16) UNIQUE, folder_id INTEGER);
INSERT INTO moz_bookmarks_roots VALUES ('places', 1), ('menu', 2), ('toolbar', 3), ('tags', 4),
  ('unfiled', 5);
INSERT INTO moz_places (id, url, title) VALUES (1, 'https://old.example/menu', 'Old menu'),
  (2, 'https://old.example/bar?a=1&b=2', NULL), (3, 'place:folder=BOOKMARKS_MENU', NULL);
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title) VALUES
  (1, 2, NULL, 0, 0, ''), (2, 2, NULL, 1, 0, 'Bookmarks Menu'), (3, 2, NULL, 1, 1, 'Toolbar'),
  (4, 2, NULL, 1, 2, 'Tags'), (5, 2, NULL, 1, 3, 'Unsorted'), (10, 1, 1, 2, 0, 'Old menu link'),
  (11, 2, NULL, 3, 0, 'Folder'), (12, 1, 2, 11, 0, 'Bar link'), (13, 1, 3, 3, 1, 'Recent');
SQL
check_round_trip "$work/old-profile/places.sqlite" places \
    'HREF="https://old.example/bar?a=1&amp;b=2" HREF="https://old.example/menu" ' 1
[ -e "$work/fav/places/书签工具栏/Folder/Bar link.url" ] || fail "Firefox 3 folder path lost"

# Names and contents of what earlier imports wrote, working folders left out.
snapshot() {
    (cd "$work/fav" && find . -path './.linkshelf-import-*' -prune -o -type f -print0 |
        sort -z | xargs -0 md5sum | md5sum)
}

echo "== an export cut off while it was written or copied is refused"
mkdir -p "$work/cut"
before=$(snapshot)
size=$(wc -c <"$fixtures/bookmarks.html")
for cut in 1024 $((size / 2)); do
    head -c "$cut" "$fixtures/bookmarks.html" >"$work/cut/bookmarks.html"
    run --import "$work/cut/bookmarks.html"
    expect_eq "status of the export cut at $cut bytes" 1 "$status"
    case $err in *"提前结束"*) ;; *) fail "message for the export cut at $cut bytes: $err" ;; esac
    expect_eq "earlier import after the export cut at $cut bytes" "$before" "$(snapshot)"
done

echo "== a bad source is an error and writes nothing"
before=$(cd "$work/fav" && find . | sort | md5sum)
printf 'not bookmarks\n' >"$work/notes.txt"
for source in "$work/missing.html" "$work/notes.txt" "$work" chromium; do
    run --import "$source"
    expect_eq "status for $source" 1 "$status"
    [ -n "$err" ] || fail "no message for $source"
    expect_eq "output for $source" "" "$out"
done
run --import
expect_eq "status without a source" 1 "$status"
expect_eq "favorites after bad sources" "$before" "$(cd "$work/fav" && find . | sort | md5sum)"

echo "== a killed import leaves the earlier one whole; the next one tidies up"
{
    echo '<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><p>'
    seq 1 300000 | sed 's|.*|<DT><A HREF="https://big.example/&">Link &</A>|'
    echo '</DL>'
} >"$work/big.html"
before=$(snapshot)
"${clean_env[@]}" "$prog/linkshelf" --import "$work/big.html" "$work/fav" >/dev/null 2>&1 &
importer=$!
# Killed once it has written a good part of the new folder, however long reading the file took
# on a busy machine; an import that ends before that was never interrupted.
written=0
while [ "$written" -lt 1000 ] && kill -0 "$importer" 2>/dev/null; do
    sleep 0.05
    written=$(find "$work/fav" -path '*/.linkshelf-import-*' -type f 2>/dev/null | head -n 1000 | wc -l)
done
kill -9 "$importer" 2>/dev/null
wait "$importer" 2>/dev/null
expect_eq "import killed halfway" 1000 "$written"
expect_eq "earlier imports after the kill" "$before" "$(snapshot)"
[ -e "$work/fav/big" ] && fail "the killed import's folder was swapped in"
page=$(page_of "$work/fav")
case $page in *big.example* | *linkshelf-import*) fail "the killed import's work folder is on the page" ;; esac
run --import "$fixtures/bookmarks.html"
expect_eq "import after the kill" 0 "$status"
expect_eq "leftovers after the next import" "" "$(cd "$work/fav" && ls -d .linkshelf-import-* 2>/dev/null)"

echo "== icons come with the import and reach the page; nothing asks the network"
# An icon given as a data address and one only named by its address on the web: the first is kept
# in the tree, the second never fetched. strace sees every socket the program opens.
red=iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAALklEQVQ4y2O8YKDwn4ECwESJ5mFiAAs2Qf3z97EqvmioOAi9MAwMYBxNypQbAACSaQdfEgJ0iwAAAABJRU5ErkJggg==
printf '<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><A HREF="https://red.example/" ICON="data:image/png;base64,%s">Red</A>\n<DT><A HREF="https://far.example/" ICON_URI="https://far.example/favicon.ico">Far</A>\n</DL><p>\n' \
    "$red" >"$work/icons.html"
printf '%%LF_LINK_ICONS%%%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
# LeakSanitizer cannot work in a traced program, so a sanitizer build's run is not traced.
if [ -z "${ASAN_OPTIONS:-}" ] && command -v strace >/dev/null && strace -f -o /dev/null true 2>/dev/null; then
    traced=(strace -f -e trace=socket,connect -o "$work/trace")
else
    echo "(strace cannot run here: the requests are not watched)"
    traced=()
fi
out=$("${traced[@]}" "${clean_env[@]}" "$prog/linkshelf" --import "$work/icons.html" "$work/iconfav" 2>"$work/stderr")
expect_eq "icon import status" 0 "$?"
[ -n "${traced[*]}" ] && grep -E 'AF_INET6?\b' "$work/trace" && fail "the import used the network"
expect_eq "icon kept in the tree" "$(echo "$red" | base64 -d | sha256sum | cut -c1-32).png" \
    "$(ls "$work/iconfav/icons/.linkshelf-icons")"
printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\n' "$work/iconfav" "$work/icons.htm" >"$work/icons.lfs"
"${traced[@]}" "${clean_env[@]}" "$prog/linkshelf" "$work/icons.lfs" 2>"$work/stderr"
expect_eq "icon page status" 0 "$?"
[ -n "${traced[*]}" ] && grep -E 'AF_INET6?\b' "$work/trace" && fail "the page's run used the network"
grep -q "url(data:image/png;base64,$red)" "$work/icons.htm" || fail "the icon is not on the page"
grep -q 'far.example/favicon' "$work/icons.htm" && fail "the page names an icon on the web"
grep -q '})(",0");' "$work/icons.htm" || fail "the links' icons on the page: $(grep -o '})(.*' "$work/icons.htm")"
printf '%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"

finish import
