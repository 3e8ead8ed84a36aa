#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Imports browsers by their words from a home that holds their profiles, checks that every
# link a page can open was written with the address a short Python reader finds in the same
# file, and that a backup cut off while it was copied is refused and the earlier import kept.
# Usage: import_browsers.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source_root=$2
source "$(dirname "$0")/common.sh"
readers=$source_root/tests/support/readers
home=$work/home
fav=$work/fav

run() { # arguments: runs the program with a clean environment, keeping its output
    out=$("${clean_env[@]}" "$program" "$@" 2>"$work/stderr")
    status=$?
    err=$(cat "$work/stderr")
}

# The addresses of the shortcuts in a folder, sorted.
written() { # folder
    find "$1" -name '*.url' -exec grep -h '^URL=' {} + | sed 's/^URL=//; s/\r$//' | sort
}

# The addresses a Python reader finds that a page can open, sorted.
expected() { # reader, file
    python3 -B "$readers/$1" "$2" | grep ' = ' | sed 's/.* = //' |
        grep -Ev '^(javascript|place|data):' | sort
}

# A Firefox backup: the one LZ4 block of the lz4 tool's frame after "mozLz40\0" and the size.
mozlz4() { # json file, backup file
    lz4 -c -q -BD "$1" | python3 -c '
import struct, sys
frame, size = sys.stdin.buffer.read(), len(open(sys.argv[1], "rb").read())
at = 7 + (8 if frame[4] & 8 else 0) + (4 if frame[4] & 1 else 0)
length = struct.unpack_from("<I", frame, at)[0]
sys.stdout.buffer.write(b"mozLz40\0" + struct.pack("<I", size) + frame[at + 4:at + 4 + length])
' "$1" >"$2"
}

mkdir -p "$home/.config/falkon/profiles/default" "$home/.mozilla/firefox/p/bookmarkbackups" \
    "$home/.librewolf/p"
cat >"$home/.config/falkon/profiles/default/bookmarks.json" <<'JSON'
{"roots": {
 "bookmark_bar": {"children": [
   {"name": "KDE & Friends", "type": "url", "url": "https://kde.org/?a=1&b=2"},
   {"type": "separator"},
   {"name": "Dev", "type": "folder", "children": [
     {"name": "Qt", "type": "url", "url": "https://www.qt.io/"},
     {"name": "Script", "type": "url", "url": "javascript:void(0)"},
     {"name": "Doc", "type": "url", "url": "https://doc.qt.io/"}]},
   {"name": "Same", "type": "url", "url": "https://same.example/1"},
   {"name": "Same", "type": "url", "url": "https://same.example/2"}],
  "name": "Bookmarks Toolbar", "type": "folder"},
 "bookmark_menu": {"children": [
   {"name": "Falkon", "type": "url", "url": "https://www.falkon.org/"},
   {"name": "Mail", "type": "url", "url": "mailto:someone@example.com"},
   {"name": "Deep", "type": "folder", "children": [
     {"name": "d1", "type": "url", "url": "https://d.example/1"},
     {"name": "d2", "type": "url", "url": "ftp://d.example/2"}]}],
  "name": "Bookmarks Menu", "type": "folder"},
 "other": {"children": [
   {"name": "Other", "type": "url", "url": "https://o.example/"}],
  "name": "Unsorted Bookmarks", "type": "folder"}},
 "version": 1}
JSON
printf '[Profile0]\nPath=p\nDefault=1\n' >"$home/.mozilla/firefox/profiles.ini"
cp "$home/.mozilla/firefox/profiles.ini" "$home/.librewolf/profiles.ini"
backup() { # links as "title|address" lines
    printf '{"guid":"root________","root":"placesRoot","typeCode":2,"children":[{"guid":"toolbar_____",'
    printf '"root":"toolbarFolder","typeCode":2,"children":['
    local first=1 title url
    while IFS='|' read -r title url; do
        [ $first = 1 ] || printf ','
        first=0
        printf '{"typeCode":1,"title":"%s","uri":"%s"}' "$title" "$url"
    done
    printf ']}]}'
}
printf 'Old|https://old.example/\n' | backup >"$work/old.json"
{
    for i in $(seq 1 200); do printf 'Link %s|https://new.example/%s?a=1&b=2\n' "$i" "$i"; done
    printf 'Recent|place:sort=8\n'
} | backup >"$work/new.json"
mozlz4 "$work/old.json" "$home/.mozilla/firefox/p/bookmarkbackups/bookmarks-2024-05-01_1_a.jsonlz4"
newest=$home/.mozilla/firefox/p/bookmarkbackups/bookmarks-2024-05-02_201_b.jsonlz4
mozlz4 "$work/new.json" "$newest"
sqlite3 "$home/.librewolf/p/places.sqlite" <<'SQL'
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER,
  position INTEGER, title TEXT, guid TEXT);
INSERT INTO moz_places VALUES (1, 'https://librewolf.net/', 'LibreWolf');
INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'),
  (2, 2, NULL, 1, 0, 'menu', 'menu________'), (3, 1, 1, 2, 0, NULL, 'a');
SQL

echo "== each browser's word imports every openable link a second reader finds"
check_word() { # word, folder written, reader, file it reads, skipped
    run --import "$1" "$fav"
    expect_eq "status of --import $1" 0 "$status"
    expect_eq "errors of --import $1" "" "$err"
    case $out in *"已导入"*) ;; *) fail "output of --import $1: $out" ;; esac
    [ "$5" = 0 ] || case $out in *"跳过了 $5 个"*) ;; *) fail "skipped by --import $1: $out" ;; esac
    expect_eq "addresses of --import $1" "$(expected "$3" "$4")" "$(written "$fav/$2")"
}
check_word falkon Falkon falkon.py "$home/.config/falkon/profiles/default/bookmarks.json" 1
check_word firefox-backup "Firefox backup" firefox_backup.py "$newest" 1
expect_eq "links of the newest backup" 200 "$(written "$fav/Firefox backup" | grep -c new.example)"
run --import librewolf "$fav"
expect_eq "status of --import librewolf" 0 "$status"
expect_eq "LibreWolf's link" "https://librewolf.net/" "$(written "$fav/LibreWolf")"

# Read as a Chromium file, as it once was, it lost its menu's four links.
echo "== Falkon's file given by path, under Chromium's name, is read whole"
cp "$home/.config/falkon/profiles/default/bookmarks.json" "$work/Bookmarks"
run --import "$work/Bookmarks" "$fav"
expect_eq "status of Falkon's file" 0 "$status"
expect_eq "links of Falkon's file" 10 "$(written "$fav/Bookmarks" | wc -l)"

echo "== a backup cut off in a copy is refused and the earlier import kept"
before=$(cd "$fav" && find . -type f -print0 | sort -z | xargs -0 md5sum | md5sum)
size=$(wc -c <"$newest")
cp "$newest" "$work/whole.jsonlz4"
for cut in 20 $((size / 2)) $((size - 1)); do
    head -c "$cut" "$work/whole.jsonlz4" >"$newest"
    run --import firefox-backup "$fav"
    expect_eq "status of the backup cut at $cut bytes" 1 "$status"
    case $err in *"提前结束"*) ;; *) fail "message for the backup cut at $cut bytes: $err" ;; esac
    expect_eq "imports after the backup cut at $cut bytes" "$before" \
        "$(cd "$fav" && find . -type f -print0 | sort -z | xargs -0 md5sum | md5sum)"
done

echo "== an unknown word names the browsers there are"
run --import netscape "$fav"
expect_eq "status of an unknown word" 1 "$status"
case $err in *"epiphany"*"firefox-backup"* | *"firefox-backup"*"epiphany"*) ;; *) fail "words: $err" ;; esac

finish import_browsers
