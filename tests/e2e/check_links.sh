#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program's link check without a display on trees whose links need no network
# (file: links, other schemes, the same address filed twice): the report, the exit statuses, and
# nothing written to the tree or the settings.
# Usage: check_links.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source "$(dirname "$0")/common.sh"
mkdir -p "$work/home"
tree=$work/Fav
touch "$work/here.txt"
shortcut "$tree/Here.url" "file://$work/here.txt"
shortcut "$tree/Mail.url" "mailto:someone@127.0.0.1"
shortcut "$tree/News/Mail again.url" "MAILTO:someone@127.0.0.1"
shortcut "$tree/Old/Lost.url" "file://$work/lost.txt"
printf '[Options]\r\nSourceFolder=%s\r\n' "$tree" >"$work/check.lfs"
snapshot() { (cd "$work" && find Fav check.lfs -printf '%p %s %T@\n' | sort); }
before=$(snapshot)

check() { # arguments...; sets status and out
    out=$("${english_env[@]}" timeout 60 "$program" "$@" 2>"$work/err")
    status=$?
}

check --check "$work/check.lfs"
expect_eq "status with a dead link" 3 "$status"
expect_eq "report" "dead	file not found	file://$work/lost.txt	Lost	/Old
duplicate	2 places	mailto:someone@127.0.0.1	Mail	/	mailto:someone@127.0.0.1
duplicate	2 places	MAILTO:someone@127.0.0.1	Mail again	/News	mailto:someone@127.0.0.1
Checked 2 of 4 links: 1 ok, 1 dead, 0 moved, 0 blocked; 1 address filed more than once (2 places); 2 not checked (other schemes)." "$out"
expect_eq "no progress bar off a terminal" "" "$(cat "$work/err")"

check --check "$work/check.lfs" --json
expect_eq "JSON status" 3 "$status"
expect_eq "JSON dead count" '"dead": 1,' "$(grep -o '"dead": [0-9]*,' <<<"$out")"
# The tree's files and folders and the settings are as they were.
expect_eq "nothing written" "$before" "$(snapshot)"

rm "$tree/Old/Lost.url"
check --check "$work/check.lfs"
expect_eq "status with nothing dead" 0 "$status"
check --check "$work/missing.lfs"
expect_eq "status without the settings file" 1 "$status"
check --check "$work/check.lfs" --verbose
expect_eq "status with an unknown option" 1 "$status"
check --check "$work/check.lfs" "$work/check.lfs"
expect_eq "status with two settings files" 1 "$status"
# Without a network (a namespace of its own, where no name resolves and no address has a route),
# the links are not checked rather than dead, and nothing is planned for the Trash.
offline=$work/Offline
shortcut "$offline/Named.url" "https://www.debian.org/"
shortcut "$offline/Routed.url" "http://192.0.2.10/"
printf '[Options]\r\nSourceFolder=%s\r\n' "$offline" >"$work/offline.lfs"
if unshare --net true 2>/dev/null; then
    out=$(unshare --net "${english_env[@]}" timeout 60 "$program" --check "$work/offline.lfs" \
        --trash-dead --dry-run 2>"$work/err")
    expect_eq "status offline" 4 "$?"
    expect_eq "report offline" "not checked	the network seems unreachable	https://www.debian.org/	Named	/
not checked	the network seems unreachable	http://192.0.2.10/	Routed	/
Checked 0 of 2 links: 0 ok, 0 dead, 0 moved, 0 blocked; 0 addresses filed more than once (0 places); 0 not checked (other schemes). 2 links not checked: the network seems unreachable.
Dry run: would update 0 addresses, would move 0 files to the Trash; no file was changed." "$out"
else
    echo "no network namespace here: the offline check is left out"
fi
finish "link check"
