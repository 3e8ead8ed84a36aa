#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the page's automatic refresh under a real systemd user manager of its own: the manager
# and a journal run in a mount namespace of this test (so that they believe systemd runs the
# machine) with their sockets and logs in the work folder, while the program and systemctl talk
# to them from outside. The timer runs the service, on-change rebuilds the page once when a
# shortcut is added, a failed run leaves its message and exit status in the journal, and off
# turns it all off. Skipped (77) where no such manager can be started: not root, no systemd,
# no mount namespaces, or a manager that does not come up.
# Usage: refresh_systemd.sh PATH/TO/linkshelf SOURCE_ROOT UNITS_FOLDER
set -uo pipefail

program=$1
units=$3
source "$(dirname "$0")/common.sh"

manager=/lib/systemd/systemd
journald=/lib/systemd/systemd-journald
if [ "$(id -u)" -ne 0 ] || [ ! -x "$manager" ] || [ ! -x "$journald" ] ||
    ! unshare --mount true 2>/dev/null; then
    echo "SKIP: a user manager of the test's own needs root, systemd and mount namespaces"
    exit 77
fi

home=$work/home
# A program folder whose name a unit file must quote and escape.
prog="$work/prog \$x 100%h"
runtime=$work/run
page=$home/Desktop/Linkpage.htm
mkdir -p "$prog" "$home/Desktop" "$home/.local/share/systemd/user" "$runtime" \
    "$work/run-systemd/system" "$work/run-log" "$work/var-log"
chmod 700 "$runtime"
cp "$program" "$prog/linkshelf"
printf '%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
cp "$units"/linkshelf-refresh.{service,timer,path} "$home/.local/share/systemd/user/"
shortcut "$home/Fav/a.url" https://a.example/
shortcut "$home/Fav/Sub/b.url" https://b.example/
printf '[Options]\r\nSourceFolder=%s\r\n' "$home/Fav" >"$prog/Linkshelf.lfs"

# The journal writes below the work folder only, never into the machine's own logs.
binds="mount --bind '$work/run-systemd' /run/systemd && mount --bind '$work/run-log' /run/log"
[ -d /var/log/journal ] && binds+=" && mount --bind '$work/var-log' /var/log/journal"
unshare --mount bash -c "mkdir -p /run/log && $binds &&
    { '$journald' >'$work/journald.log' 2>&1 & echo \$! >'$work/journald.pid'; } &&
    for _ in \$(seq 100); do [ -S /run/systemd/journal/stdout ] && break; sleep 0.1; done &&
    XDG_RUNTIME_DIR='$runtime' HOME='$home' exec '$manager' --user" >"$work/manager.log" 2>&1 &
manager_pid=$!
stop() {
    XDG_RUNTIME_DIR=$runtime HOME=$home systemctl --user exit >/dev/null 2>&1
    for _ in $(seq 100); do kill -0 "$manager_pid" 2>/dev/null || break; sleep 0.1; done
    kill "$manager_pid" 2>/dev/null
    [ -f "$work/journald.pid" ] && kill "$(cat "$work/journald.pid")" 2>/dev/null
    wait
    chmod -R u+rwx "$work" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT

user_env=("${clean_env[@]}" XDG_RUNTIME_DIR="$runtime")
systemctl_() { "${user_env[@]}" systemctl --user "$@"; }
run() { # arguments
    out=$("${user_env[@]}" "$prog/linkshelf" "$@" 2>"$work/stderr")
    status=$?
    err=$(cat "$work/stderr")
}
wait_for() { # condition command...: up to 20 seconds
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
manager_running() { [ "$(systemctl_ show --property=SystemState --value 2>/dev/null)" = running ]; }
if ! wait_for manager_running; then
    echo "SKIP: the user manager did not start here: $(tail -3 "$work/manager.log")"
    exit 77
fi

echo "== daily: the timer runs the service, which builds the page with this program"
# A stamp from days ago: the persistent timer makes up the missed run as soon as it starts.
mkdir -p "$home/.local/share/systemd/timers"
touch -d '3 days ago' "$home/.local/share/systemd/timers/stamp-linkshelf-refresh.timer"
run --refresh daily
expect_eq "exit status" 0 "$status"
expect_eq "standard error" "" "$err"
expect_eq "timer enabled" enabled "$(systemctl_ is-enabled linkshelf-refresh.timer)"
expect_eq "timer active" active "$(systemctl_ is-active linkshelf-refresh.timer)"
wait_for grep -q https://b.example/ "$page" || fail "the timer did not build the page"
case $(systemctl_ show --property=ExecStart linkshelf-refresh.service) in
*"argv[]=$prog/linkshelf -RUN ;"*) ;;
*) fail "service command: $(systemctl_ show --property=ExecStart linkshelf-refresh.service)" ;;
esac
expect_eq "path unit" disabled "$(systemctl_ is-enabled linkshelf-refresh.path)"

echo "== hourly: the timer's calendar follows"
run --refresh hourly
expect_eq "exit status" 0 "$status"
case $(systemctl_ show --property=TimersCalendar linkshelf-refresh.timer) in
*"OnCalendar=*-*-* *:00:00"*) ;;
*) fail "calendar: $(systemctl_ show --property=TimersCalendar linkshelf-refresh.timer)" ;;
esac

echo "== on change: a new shortcut rebuilds the page, once"
run --refresh hourly on-change
expect_eq "exit status" 0 "$status"
expect_eq "path active" active "$(systemctl_ is-active linkshelf-refresh.path)"
shortcut "$home/Fav/Sub/c.url" https://c.example/
wait_for grep -q https://c.example/ "$page" || fail "a new shortcut did not rebuild the page"
invocation() { systemctl_ show --property=InvocationID --value linkshelf-refresh.service; }
service_idle() { [ "$(systemctl_ is-active linkshelf-refresh.service)" = inactive ]; }
wait_for service_idle || fail "the rebuild did not end"
before=$(invocation)
sleep 3
expect_eq "runs after the rebuild" "$before" "$(invocation)"

echo "== a failed run: its message and exit status in the journal"
mv "$home/Fav" "$home/Fav.away"
systemctl_ start linkshelf-refresh.service 2>/dev/null && fail "a failed run started as a success"
expect_eq "result" $'Result=exit-code\nExecMainStatus=1' \
    "$(systemctl_ show --property=Result --property=ExecMainStatus linkshelf-refresh.service)"
journal() { journalctl --directory="$work/run-log/journal" -o cat --no-pager 2>/dev/null; }
wait_for grep -qF "\"$home/Fav\"" <(journal) ||
    fail "no message in the journal: $(journal | tail -5)"
mv "$home/Fav.away" "$home/Fav"

echo "== off: nothing runs any more"
run --refresh off
expect_eq "exit status" 0 "$status"
expect_eq "timer enabled" disabled "$(systemctl_ is-enabled linkshelf-refresh.timer)"
expect_eq "timer active" inactive "$(systemctl_ is-active linkshelf-refresh.timer)"
expect_eq "path active" inactive "$(systemctl_ is-active linkshelf-refresh.path)"
expect_eq "drop-ins left" "" "$(ls -A "$home/.config/systemd/user")"

finish "refresh under systemd"
