#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Dead links' shortcuts with names as users give them ("%", "#", blanks, Chinese, a name as long
# as a file system takes, a name already in the Trash) go to a Trash of the test's own: the
# desktop (gio, through GLib's trash backend on a session bus of the test's own) reads exactly
# the path each came from, and --undo puts each back there. Skipped (77) without gio, the trash
# backend or dbus-run-session.
# Usage: trash_names.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
for tool in gio dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
[ -x /usr/libexec/gvfsd-trash ] || { echo "SKIP: no gvfsd-trash (gvfs)"; exit 77; }
source "$(dirname "$0")/common.sh"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
tree=$work/Fav

# name | the shortcut, below the tree
rows=(
    "a percent sign with two hex digits, a hash and blanks|100%41 sure #1.url"
    "a lone percent sign and an ampersand|50% off & more.url"
    "Chinese and a blank|书签 中文.url"
    "an encoded slash, a question mark and a hash|x%2Fy?#z.url"
    "as long as a name can be (253 bytes)|$(printf '长%.0s' $(seq 83)).url"
    "the same name from another folder|Sub/100%41 sure #1.url"
    "bytes that are not UTF-8|"$'caf\xe9 #2.url'
)
number=0
for row in "${rows[@]}"; do
    number=$((number + 1))
    shortcut "$tree/${row#*|}" "file://$work/gone-$number.txt"
done
printf '[Options]\r\nSourceFolder=%s\r\n' "$tree" >"$work/check.lfs"
before=$(snapshot)
# The path as gio shows a byte string: bytes outside printable ASCII, and "\", as \xNN.
as_gio_shows() { # path
    perl -e 'print map { $_ > 31 && $_ < 127 && $_ != 92 ? chr : sprintf "\\x%02x", $_ }
        unpack "C*", shift' "$1"
}

run_with_own_trash --check "$work/check.lfs" --trash-dead
expect_eq "status" 3 "$status"
expect_eq "summary" "0 addresses updated, ${#rows[@]} files moved to the Trash, 0 skipped." \
    "$(tail -1 <<<"$out")"

echo "== the desktop reads where each came from"
# GLib's trash backend (gvfs) reads the .trashinfo files; gio lists each file's trash::orig-path.
"${english_env[@]}" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" timeout 120 \
    dbus-run-session -- gio trash --list >"$work/gio.list" 2>"$work/gio.err" ||
    fail "gio: $(tail -3 "$work/gio.err")"
cut -f2- "$work/gio.list" >"$work/origins"
for row in "${rows[@]}"; do
    grep -qxF -- "$(as_gio_shows "$tree/${row#*|}")" "$work/origins" ||
        fail "${row%%|*}: gio reads no trash::orig-path of $tree/${row#*|} in: $(cat "$work/origins")"
done

echo "== --undo puts each back"
run_with_own_trash --undo
expect_eq "undo status" 0 "$status"
expect_eq "undo summary" \
    "Undone: 0 addresses restored, ${#rows[@]} files restored from the Trash, 0 skipped." \
    "$(tail -1 <<<"$out")"
for row in "${rows[@]}"; do
    expect_eq "${row%%|*}: back by --undo" "$(grep -aF "  Fav/${row#*|}" <<<"$before")" \
        "$(cd "$work" && md5sum "Fav/${row#*|}" 2>&1)"
done
expect_eq "every file back" "$before" "$(snapshot)"
expect_eq "the Trash is empty" "" "$(find "$work/data/Trash" -mindepth 2)"
finish "trash names"
