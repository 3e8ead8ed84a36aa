#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program unattended with LaunchBrowser on, with a stand-in xdg-open on PATH that
# records what it is given: the opener must get the page's real absolute path, byte for byte,
# as the path itself or as a file:// address percent-encoded from its bytes. Qt's "minimal"
# platform stands in for a display; without one, no browser is started and nothing is said.
# Usage: browser_opener.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source "$(dirname "$0")/common.sh"
prog=$work/prog
mkdir -p "$prog" "$work/bin" "$work/home/.config"
cp "$program" "$prog/linkshelf"
printf '%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
shortcut "$work/fav/a.url" https://a/
cat >"$work/bin/xdg-open" <<OPENER
#!/bin/sh
printf '%s' "\$*" >"$work/opened.partial" && mv "$work/opened.partial" "$work/opened"
OPENER
chmod +x "$work/bin/xdg-open"
no_display_env=("${clean_env[@]/#PATH=*/PATH=$work/bin:$PATH}")
opener_env=("${no_display_env[@]}" DISPLAY=:stand-in QT_QPA_PLATFORM=minimal)

# What the opener was given, as the path it names; waits for the opener, which runs detached.
opened_path() {
    for _ in $(seq 100); do
        [ -f "$work/opened" ] && break
        sleep 0.1
    done
    local given
    given=$(cat "$work/opened" 2>/dev/null) || return
    if [[ $given == file://* ]]; then
        given=${given#file://}
        printf '%b' "${given//%/\\x}"
    else
        printf '%s' "$given"
    fi
}

# Each case: what it is, then the output file as the settings name it, run in $work (WORK
# stands for $work).
while IFS='|' read -r what output; do
    echo "== $what"
    output=$(printf '%b' "${output//WORK/$work}")
    expected=$output
    [[ $output == /* ]] || expected=$work/$output
    mkdir -p "$(dirname "$expected")"
    rm -f "$work/opened"
    printf '[Options]\r\nSourceFolder=%s/fav\r\nOutputFile=%s\r\nLaunchBrowser=1\r\n' \
        "$work" "$output" >"$work/run.lfs"
    err=$(cd "$work" && "${opener_env[@]}" "$prog/linkshelf" run.lfs 2>&1 >/dev/null)
    expect_eq "exit status" 0 "$?"
    expect_eq "standard error" "" "$err"
    [ -f "$expected" ] || fail "no page at $expected"
    expect_eq "path the opener got" "$expected" "$(opened_path)"
done <<'CASES'
a name that is not UTF-8|bad\xff\xfe name/page.htm
a relative folder with a colon|ab:c/page.htm
a folder that looks percent-encoded, with a hash|x%41#y/page.htm
an absolute path with blanks|WORK/my pages/page.htm
CASES

echo "== no display: the page is written, no browser is started, nothing is said"
rm -f "$work/opened"
printf '[Options]\r\nSourceFolder=%s/fav\r\nOutputFile=%s/quiet.htm\r\nLaunchBrowser=1\r\n' \
    "$work" "$work" >"$work/run.lfs"
err=$(cd "$work" && "${no_display_env[@]}" "$prog/linkshelf" run.lfs 2>&1)
expect_eq "exit status" 0 "$?"
expect_eq "output" "" "$err"
[ -f "$work/quiet.htm" ] || fail "no page at $work/quiet.htm"
sleep 0.5
[ ! -e "$work/opened" ] || fail "the opener was started: $(cat "$work/opened")"

finish browser-opener
