#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program unattended on temporary trees and checks pages, files and exit statuses.
# Usage: run_e2e.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source_root=$2
source "$(dirname "$0")/common.sh"

# A program folder of its own, so the default settings file and template live beside it.
prog=$work/prog
mkdir -p "$prog" "$work/home/.config" "$work/desk"
cp "$program" "$prog/linkshelf"
printf '%%LF_TITLE%%|%%LF_LINKS_COUNT%%|%%LF_VERSION%%|%%LF_BACKCOLOR%%\r\n%%LF_LINKS_HTML%%' \
    >"$prog/Linkshelf.lft"
cat >"$work/home/.config/user-dirs.dirs" <<DIRS
XDG_DESKTOP_DIR="$work/desk"
XDG_FAVORITES_DIR="$work/fav"
DIRS
run_in() { # folder, arguments: runs the program there with a clean environment
    local folder=$1
    shift
    err=$(cd "$folder" && "${clean_env[@]}" "$prog/linkshelf" "$@" 2>&1 >/dev/null)
    status=$?
}
run() { run_in "$work" "$@"; }
# The pages show the version the program reports.
version=$("${clean_env[@]}" "$program" --version 2>/dev/null)
version=${version#Linkshelf }

echo "== the first -RUN uses the read defaults and writes the default settings file"
shortcut "$work/fav/b.url" "https://b.example/"
shortcut "$work/fav/A.url" "https://a.example/?x=1&y=2"
shortcut "$work/fav/Sub/c.url" "https://c.example/"
mkdir -p "$work/fav/Empty"
run -RUN
expect_eq "exit status" 0 "$status"
expect_eq "standard error" "" "$err"
expected=$(printf 'My Favorite Links|3|%s|FFFFFF\r\n<DL>\r\n<DT><A HREF="https://a.example/?x=1&amp;y=2">A</A>\r\n<DT><A HREF="https://b.example/">b</A>\r\n<!-- Start of Empty -->\r\n<DT><H4>Empty</H4>\r\n<DL>\r\n</DL>\r\n<!-- End of Empty -->\r\n<!-- Start of Sub -->\r\n<DT><H4>Sub</H4>\r\n<DL>\r\n\t<DT><A HREF="https://c.example/">c</A>\r\n</DL>\r\n<!-- End of Sub --></DL>\r\nx' "$version")
expect_eq "page" "$expected" "$(cat "$work/desk/Linkpage.htm"; echo x)"
expect_eq "settings keys" "Options SourceFolder IgnoreFolders IncludeSubfolders OutputFile TemplateFile PageTitle PageFont ShowURL ShowIcons TextColor LinkColor VLinkColor BackColor LaunchBrowser" \
    "$(sed -e 's/^\[\(.*\)\]\r$/\1/' -e 's/=.*//' "$prog/Linkshelf.lfs" | tr '\n' ' ' | sed 's/ $//')"
grep -q $'^LaunchBrowser=0\r$' "$prog/Linkshelf.lfs" || fail "browser launched by default"

echo "== the default settings file is read and rewritten, unknown lines kept"
printf '; mine\r\n[Options]\r\nPageTitle=  Links & more  \r\nBackColor=$102030\r\nIgnoreFolders= sub ;\r\nExtra=kept\r\n' \
    >"$prog/Linkshelf.lfs"
run /run
expect_eq "exit status" 0 "$status"
expect_eq "page head" "Links &amp; more|2|$version|302010" "$(head -n 1 "$work/desk/Linkpage.htm" | tr -d '\r')"
grep -q $'^Extra=kept\r$' "$prog/Linkshelf.lfs" || fail "unknown key lost"
grep -q $'^IgnoreFolders=sub\r$' "$prog/Linkshelf.lfs" || fail "ignore list not tidied"
grep -q $'^; mine\r$' "$prog/Linkshelf.lfs" || fail "comment lost"

echo "== a settings file named on the command line is used and left alone"
cat >"$work/mine.lfs" <<LFS
[Options]
SourceFolder=$work/fav
OutputFile=out/page.htm
PageTitle=Named
LFS
mkdir -p "$work/out"
before=$(md5sum <"$work/mine.lfs")
run mine.lfs -RUN
expect_eq "exit status" 0 "$status"
expect_eq "page head" "Named|3|$version|FFFFFF" "$(head -n 1 "$work/out/page.htm" | tr -d '\r')"
expect_eq "named settings file" "$before" "$(md5sum <"$work/mine.lfs")"

echo "== a file that is not a settings file is refused and nothing is written"
mkdir -p "$work/nolinks"
cp "$work/mine.lfs" "$work/nolinks/mine.txt"
rm -f "$work/desk/Linkpage.htm"
run_in "$work/nolinks" mine.txt
expect_eq "exit status" 1 "$status"
[ -e "$work/desk/Linkpage.htm" ] && fail "page written from a file that is not a settings file"
case $err in *'"mine.txt": 这不是 Linkshelf 设置文件'*) ;; *) fail "refusal missing: $err" ;; esac

echo "== a folder or template on a stick that is not mounted: exit 1, page and settings kept"
cp "$prog/Linkshelf.lfs" "$work/default.lfs"
echo "old page" >"$work/out/page.htm"
while IFS='|' read -r what source template named; do
    echo "-- $what"
    printf '[Options]\r\nSourceFolder=%s\r\nTemplateFile=%s\r\nOutputFile=%s\r\n' \
        "$source" "$template" "$work/out/page.htm" >"$prog/Linkshelf.lfs"
    before=$(md5sum <"$prog/Linkshelf.lfs")
    run -RUN
    expect_eq "exit status" 1 "$status"
    case $err in *"\"$named\""*"$(system_reason 2)"*) ;; *) fail "path or reason missing: $err" ;; esac
    expect_eq "old page" "old page" "$(cat "$work/out/page.htm")"
    expect_eq "settings file" "$before" "$(md5sum <"$prog/Linkshelf.lfs")"
done <<CASES
the source folder|/media/usb-$$/links|Linkshelf.lft|/media/usb-$$/links
the template|$work/fav|/media/usb-$$/my.lft|/media/usb-$$/my.lft
CASES
cp "$work/default.lfs" "$prog/Linkshelf.lfs"

echo "== an empty template: exit 1, the old page kept"
: >"$work/empty.lft"
printf '[Options]\r\nSourceFolder=%s\r\nTemplateFile=%s\r\nOutputFile=%s\r\n' \
    "$work/fav" "$work/empty.lft" "$work/out/page.htm" >"$work/blank.lfs"
run blank.lfs
expect_eq "exit status" 1 "$status"
case $err in *"\"$work/empty.lft\""*"文件是空的"*) ;; *) fail "empty template not named: $err" ;; esac
expect_eq "old page" "old page" "$(cat "$work/out/page.htm")"

echo "== no Favorites and no source folder: the working folder is not scanned"
mkdir -p "$work/bare" "$work/shared"
shortcut "$work/shared/someone-else.url" "https://else.example/"
printf '[Options]\r\nPageTitle=t\r\n' >"$work/bare/nofolder.lfs"
err=$(cd "$work/shared" && "${clean_env[@]}" HOME="$work/bare" "$prog/linkshelf" "$work/bare/nofolder.lfs" 2>&1)
expect_eq "exit status" 1 "$?"
case $err in *"linkshelf --import"*) ;; *) fail "advice missing: $err" ;; esac
[ -e "$work/bare/Linkpage.htm" ] && fail "the working folder was scanned"

echo "== no Desktop folder: the default page goes to the home folder"
printf '[Options]\r\nSourceFolder=%s\r\n' "$work/fav" >"$work/bare/home.lfs"
err=$(cd "$work" && "${clean_env[@]}" HOME="$work/bare" "$prog/linkshelf" "$work/bare/home.lfs" 2>&1)
expect_eq "exit status" 0 "$?"
grep -q 'https://b.example/' "$work/bare/Linkpage.htm" 2>/dev/null || fail "no page in the home folder"

echo "== every command that reads a settings file refuses one that cannot be used, the same way"
mkdir -p "$work/refused/folder.lfs"
printf '[Options]\r\nSourceFolder=/media/usb-%s/links\r\n' "$$" >"$work/refused/stick.lfs"
printf '[Options]\r\nPageTitle=t\r\n' >"$work/refused/nofolder.lfs"
while IFS='|' read -r what home settings expected; do
    for command in "" --check --fetch-icons "--export $work/refused/bookmarks.html"; do
        echo "-- $what ${command:-(the page)}"
        # shellcheck disable=SC2086
        err=$(cd "$work" && "${clean_env[@]}" HOME="$home" "$prog/linkshelf" $command "$settings" 2>&1 >/dev/null)
        expect_eq "exit status" 1 "$?"
        case $err in *"$expected"*) ;; *) fail "message of $what ${command}: $err" ;; esac
        [ -e "$work/refused/bookmarks.html" ] && fail "$what: an export was written"
    done
done <<CASES
a folder on a stick that is not mounted|$work/home|$work/refused/stick.lfs|"/media/usb-$$/links" 。
no such settings file|$work/home|$work/refused/missing.lfs|"$work/refused/missing.lfs" 不存在
a folder named like a settings file|$work/home|$work/refused/folder.lfs|"$work/refused/folder.lfs" 不存在
no folder of shortcuts at all|$work/bare|$work/refused/nofolder.lfs|linkshelf --import 浏览器
CASES

echo "== an unknown option: exit 1, the option named and the usage line"
run --imprt firefox
expect_eq "exit status" 1 "$status"
case $err in *'不认识的选项 "--imprt"'*'用法：linkshelf'*) ;; *) fail "refusal: $err" ;; esac

echo "== no shortcut anywhere: exit 2 and the old page stays"
printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\n' "$work/desk" "$work/out/page.htm" >"$work/empty.lfs"
echo "old page" >"$work/out/page.htm"
run empty.lfs
expect_eq "exit status" 2 "$status"
expect_eq "the folder searched, on the last line" "搜索的文件夹：$work/desk" "${err##*$'\n'}"
expect_eq "old page" "old page" "$(cat "$work/out/page.htm")"

echo "== a page that cannot be written: exit 1, the error on standard error"
printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\n' "$work/fav" "$work/missing/page.htm" >"$work/bad.lfs"
run bad.lfs
expect_eq "exit status" 1 "$status"
case $err in *"不能保存页面到文件 \"$work/missing/page.htm\" 。"*"$(system_reason 2)"*) ;;
*) fail "write error or its reason missing: $err" ;; esac

echo "== a default settings file that cannot be read: exit 1, says why"
mv "$prog/Linkshelf.lfs" "$work/saved.lfs"
mkdir "$prog/Linkshelf.lfs"
for command in -RUN --check --fetch-icons "--export $work/default-export.html"; do
    # shellcheck disable=SC2086
    run $command
    expect_eq "exit status of $command" 1 "$status"
    case $err in *"正加载文件 \"$prog/Linkshelf.lfs\" 时出现一个错误！"*"$(system_reason 21)"*) ;;
    *) fail "reason missing from $command: $err" ;; esac
done
rmdir "$prog/Linkshelf.lfs"
mv "$work/saved.lfs" "$prog/Linkshelf.lfs"

echo "== the shipped example"
mkdir -p "$work/example/build"
cp -r "$source_root/examples" "$work/example/"
cp "$source_root/data/Linkshelf.lft" "$prog/Linkshelf.lft"
err=$(cd "$work/example" && "${clean_env[@]}" "$prog/linkshelf" examples/Example.lfs 2>&1)
expect_eq "exit status" 0 "$?"
page="$work/example/build/Linkpage.htm"
expect_eq "links" 26 "$(grep -c '<DT><A HREF=' "$page")"
grep -q 'Stack Overflow Q&amp;A' "$page" || fail "ampersand not escaped"
grep -q 'Start of Old' "$page" && fail "ignored folder written"
grep -q '%LF_' "$page" && fail "placeholder left in the page"

finish end-to-end
