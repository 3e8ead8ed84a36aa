#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program unattended on shortcut trees that a disk may really hold: loops of
# folder links, dangling links, unreadable folders and files, pipes, devices, huge and sparse
# files, names in any bytes, very deep trees, paths longer than the system's limit and one very
# large folder. Each run must end within bounded time and memory, with the exit status of the
# unattended rules, and with a page that shows every shortcut it can read.
# Usage: hostile_trees.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source "$(dirname "$0")/common.sh"
# The program and its template in a folder every user may read and run, as the permission
# cases run it as another user. The template puts the link count on the first line.
prog=$work/prog
mkdir -p "$prog" "$work/home/.config"
cp "$program" "$prog/linkshelf"
chmod 755 "$prog" "$prog/linkshelf"
printf '%%LF_LINKS_COUNT%%\r\n%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
chmod 644 "$prog/Linkshelf.lft"
printf 'XDG_DESKTOP_DIR="%s/out"\n' "$work" >"$work/home/.config/user-dirs.dirs"
chmod -R a+rX "$work/home"

# Runs the program on the tree at $1, writing $work/out/page.htm. Sets status, err (standard
# error), peak (resident set in KB) and page (the page, or "none" when none was written).
# Further arguments go before the program, to run it as another user.
generate() {
    local tree=$1
    shift
    mkdir -p "$work/out"
    chmod 777 "$work/out"
    rm -f "$work/out/page.htm" "$work/out/peak"
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s/out/page.htm\r\nLaunchBrowser=0\r\n' \
        "$tree" "$work" >"$work/run.lfs"
    chmod 644 "$work/run.lfs"
    local start
    start=$(date +%s%N)
    # A run that hangs is stopped and shows as status 124.
    "$@" "${clean_env[@]}" \
        timeout 120 /usr/bin/time -f %M -o "$work/out/peak" \
        "$prog/linkshelf" "$work/run.lfs" 2>"$work/err" >/dev/null
    status=$?
    took=$((($(date +%s%N) - start) / 1000000))
    err=$(cat "$work/err")
    peak=$(tail -n 1 "$work/out/peak" 2>/dev/null || echo 0)
    page=none
    [ -f "$work/out/page.htm" ] && page=$(cat "$work/out/page.htm")
    local leftovers
    leftovers=$(find "$work/out" -name '.linkshelf-*' | wc -l)
    expect_eq "temporary files left beside the page" 0 "$leftovers"
    echo "   exit status $status, $(count) links, $took ms, peak memory $peak KB"
}

count() { [ "$page" = none ] && echo none || head -n 1 <<<"$page" | tr -d '\r'; }
holds() { # what, text: the page holds text
    grep -qaF -- "$2" <<<"$page" || fail "$1: page lacks [$2]"
}
lacks() { # what, text
    grep -qaF -- "$2" <<<"$page" && fail "$1: page holds [$2]"
}
# The page's lines as the program writes them, CR LF ended, with their leading tabs.
block() { # name, tabs: the lines of an empty folder block
    printf '%s<!-- Start of %s -->\r\n%s<DT><H4>%s</H4>\r\n%s<DL>\r\n%s</DL>\r\n%s<!-- End of %s -->' \
        "$2" "$1" "$2" "$1" "$2" "$2" "$2" "$1"
}

echo "== a folder link to the folder itself"
tree=$work/self
shortcut "$tree/a.url" https://a/
ln -s . "$tree/self"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
holds "self" "$(block self '')"
small_peak=$peak

echo "== a folder link to the folder's parent"
tree=$work/parent
shortcut "$tree/a.url" https://a/
shortcut "$tree/sub/b.url" https://b/
ln -s .. "$tree/sub/up"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 2 "$(count)"
holds "parent" "$(block up $'\t')"

echo "== folder links between two folders"
tree=$work/pair
shortcut "$tree/A/a.url" https://a/
shortcut "$tree/B/b.url" https://b/
ln -s ../B "$tree/A/toB"
ln -s ../A "$tree/B/toA"
generate "$tree"
expect_eq "exit status" 0 "$status"
# Each folder is listed in its own place and once more through the other's link, where the
# link back is written empty.
expect_eq "links" 4 "$(count)"
holds "A through B" "$(block toA $'\t\t')"
holds "B through A" "$(block toB $'\t\t')"

echo "== dangling links"
tree=$work/dangling
shortcut "$tree/a.url" https://a/
ln -s missing.url "$tree/gone.url"
ln -s /nonexistent/folder "$tree/gone"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
lacks "dangling" "gone"

echo "== a folder and a shortcut that cannot be read"
tree=$work/locked
shortcut "$tree/a.url" https://a/
shortcut "$tree/closed/inside.url" https://inside/
shortcut "$tree/secret.url" https://secret/
chmod -R a+rX "$tree"
chmod 000 "$tree/closed" "$tree/secret.url"
# Permission bits do not stop root, so the run is made as an unprivileged user then.
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
generate "$tree" "${as_user[@]}"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
holds "closed folder" "$(block closed '')"
lacks "closed folder" "https://inside/"
lacks "closed shortcut" "https://secret/"
chmod 755 "$tree/closed"
chmod 644 "$tree/secret.url"

echo "== a named pipe called x.url"
tree=$work/pipe
shortcut "$tree/a.url" https://a/
mkfifo "$tree/x.url"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
lacks "pipe" ">x<"
echo "== a pipe alone is no shortcut"
rm "$tree/a.url"
generate "$tree"
expect_eq "exit status" 2 "$status"
expect_eq "page" none "$page"
case $err in *"没有找到任何 Internet 快捷方式文件"*) ;; *) fail "no-shortcut message: $err" ;; esac

echo "== a link to /dev/zero and sparse files of 1 GiB"
tree=$work/huge
shortcut "$tree/a.url" https://a/
ln -s /dev/zero "$tree/y.url"
truncate -s 1G "$tree/zeros.url"
printf '[InternetShortcut]\r\nURL=https://head/\r\n' >"$tree/head.url"
truncate -s 1G "$tree/head.url"
truncate -s 1G "$tree/tail.url"
printf '\r\n[InternetShortcut]\r\nURL=https://tail/\r\n' >>"$tree/tail.url"
generate "$tree"
expect_eq "exit status" 0 "$status"
# Only the first mebibyte of a shortcut is read: the address at the end of 1 GiB is not seen.
expect_eq "links" 2 "$(count)"
holds "address at the head" '<DT><A HREF="https://head/">head</A>'
lacks "address at the tail" "https://tail/"
# Reading stops after a mebibyte of each file, so the run needs hardly more memory than the
# run on the first, tiny tree.
[ "$peak" -lt $((small_peak + 65536)) ] || fail "peak memory $peak KB reading huge files"

echo "== a folder named z.url"
tree=$work/folderurl
shortcut "$tree/z.url/inside.url" https://inside/
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
holds "folder" $'<!-- Start of z.url -->\r\n<DT><H4>z.url</H4>\r\n<DL>\r\n\t<DT><A HREF="https://inside/">inside</A>'

echo "== names with bytes that are not UTF-8, markup, quotes and -->"
tree=$work/names
shortcut "$tree/"$'bad\xff\xfe name'".url" "https://bad/"
shortcut "$tree/<b>Tom & \"Jerry\"<b>.url" 'https://x/?a=1&b="2"<3>'
shortcut "$tree/it's.url" "https://quote/"
shortcut "$tree/end --> here.url" "https://comment/"
shortcut "$tree/"$'dir\xc3('"/in.url" "https://in/"
shortcut "$tree/<!-- f --> & \"q\"/deep.url" "https://deep/"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 6 "$(count)"
holds "bytes kept" $'<DT><A HREF="https://bad/">bad\xff\xfe name</A>'
holds "markup escaped" '<DT><A HREF="https://x/?a=1&amp;b=&quot;2&quot;&lt;3&gt;">&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;b&gt;</A>'
holds "quote kept" "<DT><A HREF=\"https://quote/\">it's</A>"
holds "comment end escaped" '<DT><A HREF="https://comment/">end --&gt; here</A>'
holds "folder bytes kept" $'<!-- Start of dir\xc3( -->'
holds "folder markup escaped" '<!-- Start of &lt;!-- f --&gt; &amp; &quot;q&quot; -->'
lacks "raw markup" "<b>"
# Every comment on the page ends where it should: as many comment ends as comment starts.
expect_eq "comment ends" "$(grep -aoF -- '<!--' <<<"$page" | wc -l)" \
    "$(grep -aoF -- '-->' <<<"$page" | wc -l)"

echo "== a tree 200 folders deep"
tree=$work/deep
path=$tree
for _ in $(seq 200); do path=$path/d; done
shortcut "$path/bottom.url" https://bottom/
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
holds "deepest link" "$(printf '\t%.0s' $(seq 200))<DT><A HREF=\"https://bottom/\">bottom</A>"

echo "== a tree deeper than the open-file limit, a shortcut beside every level"
# Every folder holds the next level (d) and then a folder e with a shortcut, so after the
# deep part the scan must find its way back to each level's second folder; one level is a
# folder link to a folder elsewhere, whose parent is not the folder the link is in.
tree=$work/deeper
path=$tree
for level in $(seq 200); do
    shortcut "$path/e/e$level.url" "https://e$level/"
    [ "$level" -eq 100 ] && mkdir -p "$work/elsewhere/d" && ln -s "$work/elsewhere/d" "$path/d"
    path=$path/d
done
shortcut "$path/bottom.url" https://bottom/
generate "$tree"
unlimited=$page
generate "$tree" prlimit --nofile=64 --
expect_eq "exit status" 0 "$status"
expect_eq "links" 201 "$(count)"
holds "deepest link" "$(printf '\t%.0s' $(seq 200))<DT><A HREF=\"https://bottom/\">bottom</A>"
holds "link beside the deepest level" "$(printf '\t%.0s' $(seq 200))<DT><A HREF=\"https://e200/\">e200</A>"
[ "$page" == "$unlimited" ] || fail "the page differs from the one written without a limit"

echo "== a path longer than the system's path limit"
tree=$work/long
mkdir -p "$tree"
long_name=$(printf 'L%.0s' $(seq 250))
# Built one step at a time with relative names: the whole path is beyond what the system
# accepts in one call.
(
    cd "$tree" || exit 1
    for _ in $(seq 20); do
        mkdir "$long_name" && cd "$long_name" || exit 1
    done
    printf '[InternetShortcut]\r\nURL=https://far/\r\n' >far.url
) || fail "could not build the long path"
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 1 "$(count)"
holds "link beyond the path limit" "$(printf '\t%.0s' $(seq 20))<DT><A HREF=\"https://far/\">far</A>"

echo "== 100,000 shortcuts in one folder"
tree=$work/wide
mkdir -p "$tree"
awk -v dir="$tree" 'BEGIN {
    for (i = 0; i < 100000; i++) {
        file = sprintf("%s/link %06d.url", dir, i)
        printf "[InternetShortcut]\r\nURL=https://example.org/%d\r\n", i > file
        close(file)
    }
}'
generate "$tree"
expect_eq "exit status" 0 "$status"
expect_eq "links" 100000 "$(count)"
expect_eq "link lines" 100000 "$(grep -ac '<DT><A HREF=' <<<"$page")"
expect_eq "first link" '<DT><A HREF="https://example.org/0">link 000000</A>' \
    "$(sed -n 3p <<<"$page" | tr -d '\r')"
expect_eq "last link" '<DT><A HREF="https://example.org/99999">link 099999</A></DL>' \
    "$(tail -n 1 <<<"$page" | tr -d '\r')"

finish hostile-tree
