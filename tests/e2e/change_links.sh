#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Acts on the link check's findings from the command line, without a display or a network: dead
# file: links and the extra copy of a duplicate go to a Trash of the test's own, --dry-run and
# a plain --check change nothing, --undo puts every file back byte for byte, and a batch killed
# halfway (strace kills the program as it moves its second file to the Trash) is undone from
# the journal.
# Usage: change_links.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source "$(dirname "$0")/common.sh"
mkdir -p "$work/home"
tree=$work/Fav
touch "$work/here.txt"
shortcut "$tree/Here.url" "file://$work/here.txt"
shortcut "$tree/Mail.url" "mailto:someone@127.0.0.1"
shortcut "$tree/News/Mail again.url" "MAILTO:someone@127.0.0.1"
mkdir -p "$tree/Old"
printf '; mine\r\n[InternetShortcut]\r\nURL=file://%s/lost.txt\r\nIconIndex=1\r\n' "$work" \
    >"$tree/Old/Lost.url"
shortcut "$tree/Old/Lost again.url" "file://$work/lost-again.txt"
printf '[Options]\r\nSourceFolder=%s\r\n' "$tree" >"$work/check.lfs"
before=$(snapshot)
acting=(--check "$work/check.lfs" --trash-dead --trash-duplicates)

run_with_own_trash "${acting[@]}" --dry-run
expect_eq "dry run status" 3 "$status"
expect_eq "dry run lines" "would move to Trash	$tree/News/Mail again.url	MAILTO:someone@127.0.0.1
would move to Trash	$tree/Old/Lost again.url	file://$work/lost-again.txt
would move to Trash	$tree/Old/Lost.url	file://$work/lost.txt
Dry run: would update 0 addresses, would move 3 files to the Trash; no file was changed." \
    "$(grep -A9 '^would' <<<"$out")"
run_with_own_trash --check "$work/check.lfs"
expect_eq "nothing changed without the options" "$before" "$(snapshot)"
run_with_own_trash --check "$work/check.lfs" --dry-run
expect_eq "a dry run of nothing" 1 "$status"

run_with_own_trash "${acting[@]}"
expect_eq "status after the changes" 3 "$status"
expect_eq "summary" "0 addresses updated, 3 files moved to the Trash, 0 skipped." "$(tail -1 <<<"$out")"
grep -q "^moved to Trash	$tree/Old/Lost.url	$work/data/Trash/files/Lost.url$" <<<"$out" ||
    fail "no line for Lost.url: $out"
[ -e "$tree/Mail.url" ] || fail "the first copy of the duplicate went"
[ ! -e "$tree/News/Mail again.url" ] || fail "the extra copy stayed"
expect_eq "trash info" "[Trash Info]
Path=$(sed 's/ /%20/g' <<<"$tree/Old/Lost.url")" "$(head -2 "$work/data/Trash/info/Lost.url.trashinfo")"
grep -q '^DeletionDate=[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]T[0-9:]\{8\}$' \
    "$work/data/Trash/info/Lost.url.trashinfo" || fail "no deletion date"
[ -s "$work/state/linkshelf/changes.jsonl" ] || fail "no journal"

run_with_own_trash --undo
expect_eq "undo status" 0 "$status"
expect_eq "undo summary" "Undone: 0 addresses restored, 3 files restored from the Trash, 0 skipped." \
    "$(tail -1 <<<"$out")"
expect_eq "every file back, byte for byte" "$before" "$(snapshot)"
expect_eq "the Trash is empty again" "" "$(find "$work/data/Trash" -mindepth 2)"
run_with_own_trash --undo
expect_eq "nothing left to undo" 1 "$status"

echo "== killed as it moves its second file to the Trash"
"${env_for_run[@]}" strace -f -qq -o /dev/null -e trace=renameat2 \
    -e inject=renameat2:signal=KILL:when=2 "$program" "${acting[@]}" >/dev/null 2>&1
expect_eq "killed" 137 "$?"
[ ! -e "$tree/News/Mail again.url" ] || fail "the first change was not made before the kill"
[ -e "$tree/Old/Lost.url" ] || fail "the kill came too late"
run_with_own_trash --undo
expect_eq "undo of the cut batch" 0 "$status"
expect_eq "cut batch undone, byte for byte" "$before" "$(snapshot)"

if [ "$(id -u)" -eq 0 ]; then
    echo "== a folder the user may not write"
    ro=$work/ro
    shortcut "$ro/Fav/Dead.url" "file://$work/gone.txt"
    shortcut "$ro/Fav/Locked/Dead too.url" "file://$work/gone-too.txt"
    printf '[Options]\r\nSourceFolder=%s\r\n' "$ro/Fav" >"$ro/ro.lfs"
    mkdir -p "$ro/home" "$ro/prog"
    # The build folder may be closed to other users (a package build's is).
    cp "$program" "$ro/prog/linkshelf"
    chmod -R a+rX "$ro"
    chown -R nobody "$ro/Fav" "$ro/home"
    chown root "$ro/Fav/Locked"
    locked_before=$(md5sum "$ro/Fav/Locked/Dead too.url")
    out=$(setpriv --reuid=nobody --regid=nogroup --clear-groups "${english_env[@]}" \
        HOME="$ro/home" timeout 60 "$ro/prog/linkshelf" --check "$ro/ro.lfs" --trash-dead 2>&1)
    expect_eq "skipped with the system's reason" \
        "skipped	$ro/Fav/Locked/Dead too.url	Cannot move to the Trash. ($("${english_env[@]}" perl -MPOSIX -e 'setlocale(LC_ALL, ""); print strerror(13)'))" \
        "$(grep '^skipped' <<<"$out")"
    expect_eq "the locked file stays" "$locked_before" "$(md5sum "$ro/Fav/Locked/Dead too.url")"
    [ -e "$ro/home/.local/share/Trash/files/Dead.url" ] || fail "the free file was not trashed: $out"
fi
finish "change"
