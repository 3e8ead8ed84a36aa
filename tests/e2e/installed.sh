#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and runs the installed program as an ordinary user
# would: settings in the user's config folder, templates from the data folders, the program's
# own folder read-only; also a stale display and the portable layout of an unpacked folder.
# Usage: installed.sh BUILD_FOLDER
set -uo pipefail

build=$1
source "$(dirname "$0")/common.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "FAIL: no project version in $build/CMakeCache.txt"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
app_id=org.linkshelf.Linkshelf
for file in bin/linkshelf share/linkshelf/Linkshelf.lft share/doc/linkshelf/Readme.txt \
    share/doc/linkshelf/README.md share/doc/linkshelf/copyright share/man/man1/linkshelf.1 \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg lib/systemd/user/linkshelf-refresh.service \
    lib/systemd/user/linkshelf-refresh.timer lib/systemd/user/linkshelf-refresh.path; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] || fail "no ${size}px icon"
done
grep -q "^\.TH LINKSHELF 1 [0-9-]* \"Linkshelf $version\" " "$prefix/share/man/man1/linkshelf.1" ||
    fail "manual page without the version $version"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "AppStream record without the version $version"

# The user: nobody when the tests run as root, so that permissions count; the program's files
# belong to someone else and cannot be written.
home=$work/home
mkdir -p "$home/Desktop"
shortcut "$home/Favorites/a.url" "https://a.example/"
shortcut "$home/Favorites/Sub/b.url" "https://b.example/"
mkdir -p "$work/portable"
cp "$prefix/bin/linkshelf" "$prefix/share/linkshelf/Linkshelf.lft" "$work/portable/"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    chown -R nobody:nogroup "$home" "$work/portable"
fi
chmod -R a-w "$prefix"
user_env=("${clean_env[@]}" XDG_DATA_DIRS="$prefix/share")
run() { # program, arguments: runs it as the user in the home folder
    local program=$1
    shift
    err=$(cd "$home" && "${as_user[@]}" "${user_env[@]}" "$program" "$@" 2>&1 >"$work/out")
    status=$?
    out=$(cat "$work/out")
}
installed=$prefix/bin/linkshelf
settings=$home/.config/linkshelf/Linkshelf.lfs
page=$home/Desktop/Linkpage.htm

echo "== -RUN writes the page on the Desktop and the settings in ~/.config/linkshelf/"
run "$installed" -RUN
expect_eq "exit status" 0 "$status"
expect_eq "standard error" "" "$err"
grep -q 'https://b.example/' "$page" || fail "page without the links"
grep -q "<meta name=\"generator\" content=\"Linkshelf $version\">" "$page" ||
    fail "not the shipped template"
grep -q $'^TemplateFile=Linkshelf.lft\r$' "$settings" || fail "template not saved by its name"
expect_eq "settings folder mode" 700 "$(stat -c %a "$home/.config/linkshelf")"

echo "== a second -RUN reads the settings back"
sed -i 's/^PageTitle=.*/PageTitle=Kept title\r/' "$settings"
run "$installed" -run
expect_eq "exit status" 0 "$status"
grep -q '<title>Kept title</title>' "$page" || fail "settings not read back"

echo "== a template of the user's own overrides the installed one"
mkdir -p "$home/.local/share/linkshelf"
printf 'mine|%%LF_TITLE%%|%%LF_LINKS_COUNT%%' >"$home/.local/share/linkshelf/Linkshelf.lft"
[ "${#as_user[@]}" -gt 0 ] && chown -R nobody:nogroup "$home/.local"
run "$installed" -RUN
expect_eq "page" "mine|Kept title|2" "$(cat "$page")"

echo "== --help and --version, without a display"
run "$installed" --help
expect_eq "exit status" 0 "$status"
case $out in *"linkshelf -RUN"*"默认设置文件：$settings"*) ;; *) fail "help: $out" ;; esac
run "$installed" --version
expect_eq "exit status" 0 "$status"
expect_eq "version" "Linkshelf $version" "$out"

echo "== one language per run, chosen by the user's locale as a terminal sets it"
has_chinese() { grep -qP '\p{Han}' <<<"$1"; }
for lang in en_US.UTF-8 zh_CN.UTF-8; do
    in_lang() { # arguments: runs the installed program with only $LANG naming a language
        local saved=("${user_env[@]}")
        user_env+=(LC_ALL= LANGUAGE= LANG="$lang")
        run "$installed" "$@"
        user_env=("${saved[@]}")
    }
    in_lang --help
    help=$out
    in_lang --import no-such-browser
    import_err=$err
    in_lang --check "$work/no-such.lfs"
    check_err=$err
    in_lang "$work/no-such.lfs"
    run_err=$err
    for text in "$help" "$import_err" "$check_err" "$run_err"; do
        [ -n "$text" ] || fail "$lang: a message is missing"
        if [ "$lang" = en_US.UTF-8 ]; then
            has_chinese "$text" && fail "$lang: Chinese in the English run: $text"
        else
            has_chinese "$text" || fail "$lang: not Chinese: $text"
        fi
    done
    case $run_err in *"\"$work/no-such.lfs\""*) ;; *) fail "$lang: path missing: $run_err" ;; esac
    wide=$(LC_ALL=C.UTF-8 wc -L <<<"$help")
    [ "$wide" -le 79 ] || fail "$lang: --help is $wide columns wide"
done

echo "== a settings file that does not exist"
run "$installed" missing.lfs
expect_eq "exit status" 1 "$status"
case $err in *"设置文件 \"missing.lfs\" 不存在。"*) ;; *) fail "no message: $err" ;; esac

echo "== a display that cannot be opened"
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
rm -f "$page"
user_env+=(DISPLAY=":$display")
run "$installed" -RUN
expect_eq "exit status (stale DISPLAY)" 0 "$status"
expect_eq "standard error (stale DISPLAY)" "" "$err"
[ -f "$page" ] || fail "no page with a stale DISPLAY"
run "$installed"
expect_eq "wizard's exit status" 1 "$status"
case $err in *"向导不能打开显示器"*) ;; *) fail "wizard's message: $err" ;; esac
rm -f "$page"
user_env+=(WAYLAND_DISPLAY=gone XDG_RUNTIME_DIR="$home")
run "$installed" -RUN
expect_eq "exit status (stale WAYLAND_DISPLAY)" 0 "$status"
expect_eq "standard error (stale WAYLAND_DISPLAY)" "" "$err"
[ -f "$page" ] || fail "no page with a stale WAYLAND_DISPLAY"

echo "== an unpacked folder is portable; a read-only one is not"
user_env=("${clean_env[@]}" XDG_DATA_DIRS="$prefix/share")
rm -rf "$home/.config/linkshelf"
run "$work/portable/linkshelf" -RUN
expect_eq "exit status" 0 "$status"
[ -f "$work/portable/Linkshelf.lfs" ] || fail "portable settings not beside the program"
[ -e "$settings" ] && fail "portable run wrote to ~/.config"
rm "$work/portable/Linkshelf.lfs"
chmod a-w "$work/portable"
run "$work/portable/linkshelf" -RUN
expect_eq "exit status" 0 "$status"
[ -f "$settings" ] || fail "read-only program folder: settings not in ~/.config"

finish "installed-program"
