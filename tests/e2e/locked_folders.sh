#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program as an unprivileged user whose page and default settings file lie in
# folders only root may write: the files themselves are writable for the user, so both must be
# updated in place, and a write that fails there must be reported.
# Usage: locked_folders.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
source "$(dirname "$0")/common.sh"
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: making root-owned folders needs root"
    exit 0
fi
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
prog=$work/prog
site=$work/site
# A program folder the user may not write is an installed program's: its default settings file
# is in the user's configuration folder, here one that only root may write.
config=$work/home/.config/linkshelf
settings_file=$config/Linkshelf.lfs
mkdir -p "$prog" "$site" "$config"
cp "$program" "$prog/linkshelf"
printf '%%LF_TITLE%%|%%LF_LINKS_COUNT%%\r\n%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
shortcut "$work/fav/a.url" https://a/
shortcut "$work/fav/b.url" https://b/
chmod -R a+rX "$work"
chmod 755 "$prog" "$site" "$config"

run() { # anything to run before the program in its shell
    err=$("${as_user[@]}" "${clean_env[@]}" bash -c "$* exec \"\$0\" -RUN" "$prog/linkshelf" \
        2>&1 >/dev/null)
    status=$?
}
settings() { # the default settings file, missing keys the run adds
    printf '[Options]\r\nSourceFolder=%s/fav\r\nOutputFile=%s/page.htm\r\nPageTitle=Mine\r\nIgnoreFolders= sub ;\r\n' \
        "$work" "$site" >"$settings_file"
}

page=$(printf 'Mine|2\r\n<DL>\r\n<DT><A HREF="https://a/">a</A>\r\n<DT><A HREF="https://b/">b</A></DL>\r\nx')

# How the user may write the two files: as their owner, or as anyone may.
while read -r what owner mode; do
    echo "== files ${what//-/ }"
    settings
    # An old page longer than the new one: its tail must not stay behind the new bytes.
    printf 'old page %05d\n' $(seq 1000) >"$site/page.htm"
    chown "$owner" "$settings_file" "$site/page.htm"
    chmod "$mode" "$settings_file" "$site/page.htm"
    run
    expect_eq "exit status" 0 "$status"
    expect_eq "standard error" "" "$err"
    expect_eq "page" "$page" "$(cat "$site/page.htm"; echo x)"
    grep -q $'^IgnoreFolders=sub\r$' "$settings_file" || fail "settings not saved: ignore list"
    grep -q $'^LaunchBrowser=0\r$' "$settings_file" || fail "settings not saved: new key"
    expect_eq "owners and modes kept" "$owner $mode $owner $mode" \
        "$(stat -c '%U %a' "$site/page.htm" "$settings_file" | tr '\n' ' ' | sed 's/ $//')"
done <<'CASES'
owned-by-the-user nobody 644
writable-for-all root 666
CASES

echo "== a write in place that runs out of room"
settings
echo "old page" >"$site/page.htm"
chown nobody "$settings_file" "$site/page.htm"
# ulimit -f counts kilobytes; the page is larger than none.
run "ulimit -f 0;"
expect_eq "exit status" 1 "$status"
case $err in *"不能保存页面到文件 \"$site/page.htm\" 。"*) ;; *) fail "write error missing: $err" ;; esac
case $err in *"不能保存页面到文件 \"$site/page.htm\" 。"*"$(system_reason 27)"*) ;; *) fail "reason missing: $err" ;; esac
expect_eq "old page" "old page" "$(cat "$site/page.htm")"

finish locked-folder
