#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Exports the example tree (with an icon and hostile names added) with the built program and
# has other programs read the files: Python's HTML parser after the line rules Chromium's
# importer relies on, xmllint against the XBEL 1.0 DTD the tests carry. Imports each export
# back, and makes writes fail (a folder, a missing or locked folder, a full disk): exit 1 with
# the reason, the earlier file whole. Neither the tree nor the settings file is ever touched.
# Usage: export.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source_root=$2
source "$(dirname "$0")/common.sh"
reader=(python3 "$(dirname "$0")/bookmark_reader.py")
dtd=$source_root/tests/data/export/xbel-1.0.dtd
prog=$work/prog
out=$work/out
mkdir -p "$prog" "$out" "$work/home" "$work/icons"
cp "$program" "$prog/linkshelf"
cp "$source_root/data/Linkshelf.lft" "$prog/Linkshelf.lft"
tab=$'\t'

cp -r "$source_root/examples/Favorites" "$work/fav"
printf '\x89PNG\r\n\x1a\n-an-icon-' >"$work/icons/a.png"
printf '[InternetShortcut]\r\nURL=https://icon.example/?a=1&b="2"\r\nIconFile=%s\r\n' \
    "$work/icons/a.png" >"$work/fav/开发/图标 <&> \"q\".url"
mkdir "$work/fav/空文件夹"
printf '[Options]\r\nSourceFolder=%s\r\nIgnoreFolders=Old\r\nOutputFile=%s\r\n' \
    "$work/fav" "$out/page.htm" >"$work/s.lfs"

run() { # arguments
    err=$(cd "$work" && "${clean_env[@]}" "$prog/linkshelf" "$@" 2>&1 >"$work/stdout")
    status=$?
    said=$(cat "$work/stdout")
}
# What the tree holds and when it was changed, and the settings file's bytes.
snapshot() { (cd "$work" && find fav -printf '%p %T@ %s\n' | sort && md5sum s.lfs); }
# The links of the tree, read by sed: "folder/name<TAB>address", sorted.
tree_links() { # folder
    (cd "$1" && find . -iname '*.url' -type f -not -path './Old/*' | while read -r file; do
        url=$(sed -n 's/^URL=\(.*\)\r$/\1/p' "$file")
        name=${file#./}
        [ -n "$url" ] && printf '%s\t%s\n' "${name%.[uU][rR][lL]}" "$url"
    done | LC_ALL=C sort)
}
links_of() { awk -F'\t' 'NF == 4 { print $1 "\t" $2 }' "$1"; }
before=$(snapshot)

echo "== a bookmark file: the line rules hold and every link of the tree is read back"
run --export "$out/b.html" "$work/s.lfs"
expect_eq "exit status" 0 "$status"
expect_eq "summary" "已把 27 个链接、9 个文件夹和 1 个图标导出到 \"$out/b.html\"。" "$said"
"${reader[@]}" "$out/b.html" >"$work/html.txt" || fail "the reader refused the bookmark file"
expect_eq "links" "$(tree_links "$work/fav")" "$(links_of "$work/html.txt" | LC_ALL=C sort)"
grep -q "^空文件夹/$tab" "$work/html.txt" || fail "the empty folder is missing"
grep -q "^Old/" "$work/html.txt" && fail "the ignored folder was exported"
icon_line=$(grep "^开发/图标 <&> \"q\"$tab" "$work/html.txt")
expect_eq "the icon" "$(sha256sum <"$work/icons/a.png" | cut -d' ' -f1)" "$(cut -f4 <<<"$icon_line")"
expect_eq "the link's date" "$(stat -c %Y "$work/fav/开发/图标 <&> \"q\".url")" \
    "$(cut -f3 <<<"$icon_line")"
expect_eq "the folder's dates" "$(stat -c %Y "$work/fav/空文件夹")$tab$(stat -c %Y "$work/fav/空文件夹")" \
    "$(grep "^空文件夹/$tab" "$work/html.txt" | cut -f2,3)"

echo "== the export lists the links in the page's order"
run "$work/s.lfs"
expect_eq "page exit status" 0 "$status"
page_order=$(grep -o '<DT><A HREF="[^"]*"' "$out/page.htm" | sed 's/^<DT><A HREF="//; s/"$//;
    s/&quot;/"/g; s/&lt;/</g; s/&gt;/>/g; s/&amp;/\&/g')
expect_eq "order" "$page_order" "$(links_of "$work/html.txt" | cut -f2)"

echo "== XBEL: valid against the DTD, the same links"
run --export "$out/b.xbel" "$work/s.lfs"
expect_eq "exit status" 0 "$status"
xmllint --nonet --noout --dtdvalid "$dtd" "$out/b.xbel" 2>"$work/xmllint.txt" ||
    fail "not valid XBEL 1.0: $(grep -v 'external entity\|network entity\|xbel-1.0.dtd"$\|^ *\^' "$work/xmllint.txt")"
"${reader[@]}" "$out/b.xbel" >"$work/xbel.txt" || fail "the reader refused the XBEL file"
expect_eq "the same links as the bookmark file" "$(links_of "$work/html.txt")" "$(links_of "$work/xbel.txt")"
run --export "$out/b.txt" "$work/s.lfs" --format xbel
expect_eq "--format xbel" "$(cat "$out/b.xbel")" "$(cat "$out/b.txt" 2>/dev/null)"

echo "== each export imported back gives the tree's links and folders"
for file in b.html b.xbel; do
    run --import "$out/$file" "$work/back"
    expect_eq "import of $file" 0 "$status"
    expect_eq "links of $file" "$(tree_links "$work/fav")" "$(tree_links "$work/back/b")"
    expect_eq "folders of $file" "$(cd "$work/fav" && find . -type d -not -path './Old*' | sort)" \
        "$(cd "$work/back/b" && find . -type d | sort)"
done

echo "== writes that fail: exit 1 with the path and the reason, the earlier file whole"
echo "earlier" >"$out/kept.html"
mkdir -p "$out/folder.html"
while IFS='|' read -r what target limit reason; do
    echo "-- $what"
    cp "$out/kept.html" "$work/kept-before.html"
    err=$(cd "$work" && "${clean_env[@]}" bash -c "trap '' XFSZ; ulimit -f $limit; exec \"\$0\" \"\$@\"" \
        "$prog/linkshelf" --export "$target" "$work/s.lfs" 2>&1 >/dev/null)
    expect_eq "exit status" 1 "$?"
    case $err in *"不能把书签导出到文件 \"$target\"。"*"$(system_reason "$reason")"*) ;;
    *) fail "$what: $err" ;; esac
    expect_eq "the earlier file" "earlier" "$(cat "$out/kept.html")"
    [ -z "$(find "$out" -name '.*')" ] || fail "$what: a temporary file was left: $(find "$out" -name '.*')"
done <<CASES
a path that is a folder|$out/folder.html|unlimited|21
a folder that is not there|$work/missing/b.html|unlimited|2
a full disk|$out/kept.html|1|27
CASES
if [ "$(id -u)" -eq 0 ]; then
    echo "-- a folder the user may not write"
    chmod -R a+rX "$work"
    err=$(cd / && setpriv --reuid=nobody --regid=nogroup --clear-groups "${clean_env[@]}" \
        "$prog/linkshelf" --export "$out/kept.html" "$work/s.lfs" 2>&1 >/dev/null)
    expect_eq "exit status" 1 "$?"
    case $err in *"\"$out/kept.html\""*"$(system_reason 13)"*) ;; *) fail "locked folder: $err" ;; esac
    expect_eq "the earlier file" "earlier" "$(cat "$out/kept.html")"
fi

echo "== refused before anything is written"
printf '[Options]\r\nSourceFolder=%s\r\n' "$work/icons" >"$work/empty.lfs"
while IFS='|' read -r what expected_status expected args; do
    echo "-- $what"
    # shellcheck disable=SC2086
    run --export $args
    expect_eq "exit status" "$expected_status" "$status"
    case $err in *"$expected"*) ;; *) fail "$what: $err" ;; esac
done <<CASES
a name of no known kind|1|--format html|$out/b.lfs $work/s.lfs
an unknown format|1|"pdf"。|$out/b.html $work/s.lfs --format pdf
over the settings file|1|"$work/s.lfs"|$work/s.lfs $work/s.lfs --format html
a tree without links|2|搜索的文件夹：$work/icons|$out/none.html $work/empty.lfs
CASES
[ -e "$out/b.lfs" ] || [ -e "$out/none.html" ] && fail "a refused export wrote a file"

expect_eq "the tree and the settings file" "$before" "$(snapshot)"
finish export
