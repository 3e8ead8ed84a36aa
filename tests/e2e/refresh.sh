#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the page's automatic refresh with the built program, with a stand-in systemctl on PATH
# that records what it is asked and plays a user manager (or its absence): the drop-ins written
# for the shipped units pass systemd-analyze verify, off removes them, and without a manager the
# program says so and prints the crontab line.
# Usage: refresh.sh PATH/TO/linkshelf SOURCE_ROOT UNITS_FOLDER
set -uo pipefail

program=$1
units=$3
source "$(dirname "$0")/common.sh"

prog=$work/prog
home=$work/home
user_units=$home/.config/systemd/user
mkdir -p "$prog" "$work/bin" "$work/state" "$home/.config" "$home/Desktop"
cp "$program" "$prog/linkshelf"
printf '%%LF_LINKS_HTML%%' >"$prog/Linkshelf.lft"
shortcut "$home/Fav/a.url" https://a.example/
shortcut "$home/Fav/Sub/b.url" https://b.example/
printf '[Options]\r\nSourceFolder=%s\r\n' "$home/Fav" >"$prog/Linkshelf.lfs"

# The stand-in: each call on a line of the log; the state folder says whether there is a manager
# (no-manager), whether it knows the units (not-found), which call fails (fail-WORD) and what
# is enabled.
cat >"$work/bin/systemctl" <<'FAKE'
#!/usr/bin/env bash
state=$(dirname "$0")/../state
echo "$*" >>"$state/../systemctl.log"
[ "$1" = --user ] || { echo "not a user call" >&2; exit 1; }
shift
if [ -e "$state/no-manager" ]; then
    echo "Failed to connect to bus: No medium found" >&2
    exit 1
fi
if [ -e "$state/fail-$1" ]; then
    echo "Access denied" >&2
    exit 1
fi
enabled() { [ -e "$state/$1" ] && echo enabled || echo disabled; }
load=loaded
[ -e "$state/not-found" ] && load=not-found
case $1 in
show)
    printf 'Id=linkshelf-refresh.timer\nLoadState=%s\nUnitFileState=%s\nResult=success\n\n' \
        "$load" "$(enabled linkshelf-refresh.timer)"
    printf 'Id=linkshelf-refresh.path\nLoadState=%s\nUnitFileState=%s\nResult=success\n\n' \
        "$load" "$(enabled linkshelf-refresh.path)"
    printf 'Id=linkshelf-refresh.service\nLoadState=%s\nUnitFileState=static\nResult=success\n' \
        "$load"
    ;;
enable | disable)
    verb=$1
    shift
    for unit in "$@"; do
        case $unit in --now) ;; *) if [ "$verb" = enable ]; then touch "$state/$unit"; else rm -f "$state/$unit"; fi ;; esac
    done
    ;;
esac
exit 0
FAKE
chmod +x "$work/bin/systemctl"
run_env=("${clean_env[@]/#PATH=*/PATH=$work/bin:$PATH}")
run() { # arguments
    : >"$work/systemctl.log"
    out=$(cd "$home" && "${run_env[@]}" "$prog/linkshelf" "$@" 2>"$work/stderr")
    status=$?
    err=$(cat "$work/stderr")
    calls=$(grep -v ' show ' "$work/systemctl.log")
}
show_call='--user show --property=Id,LoadState,UnitFileState,Result linkshelf-refresh.timer linkshelf-refresh.path linkshelf-refresh.service'
schedule=$user_units/linkshelf-refresh.timer.d/50-schedule.conf
commands=$user_units/linkshelf-refresh.service.d/50-commands.conf
watch=$user_units/linkshelf-refresh.path.d/50-watch.conf

# The shipped units with the drop-ins of the fake home, as the manager would read them.
verify() { # what
    local folder=$work/verify
    rm -rf "$folder" "$work/runtime"
    mkdir -p "$folder" "$work/runtime"
    chmod 700 "$work/runtime"
    cp "$units"/linkshelf-refresh.{service,timer,path} "$folder/"
    cp -r "$user_units"/*.d "$folder/" 2>/dev/null
    local said
    said=$(cd "$folder" && XDG_RUNTIME_DIR=$work/runtime HOME=$home \
        systemd-analyze --user verify --man=no ./linkshelf-refresh.service \
        ./linkshelf-refresh.timer ./linkshelf-refresh.path 2>&1)
    expect_eq "systemd-analyze verify ($1)" "" "$said"
}

echo "== daily: the timer's schedule, this program for the shipped one, the path unit off"
run --refresh daily
expect_eq "exit status" 0 "$status"
expect_eq "standard error" "" "$err"
expect_eq "output" "页面 \"$home/Desktop/Linkpage.htm\" 将每天自动更新。" "$out"
expect_eq "calls" $'--user daemon-reload\n--user enable --now linkshelf-refresh.timer\n--user disable --now linkshelf-refresh.path' "$calls"
grep -qx 'OnCalendar=daily' "$schedule" || fail "no daily calendar: $(cat "$schedule")"
grep -qx "ExecStart=\"$prog/linkshelf\" -RUN" "$commands" || fail "program: $(cat "$commands")"
[ -e "$watch" ] && fail "a path drop-in without on-change"
verify daily

echo "== hourly on change: the folder and its subfolder watched"
run --refresh hourly on-change
expect_eq "exit status" 0 "$status"
expect_eq "calls" $'--user daemon-reload\n--user enable --now linkshelf-refresh.timer\n--user enable --now linkshelf-refresh.path' "$calls"
grep -qx 'OnCalendar=hourly' "$schedule" || fail "no hourly calendar: $(cat "$schedule")"
expect_eq "watched" "PathChanged=
PathChanged=$home/Fav
PathChanged=$home/Fav/Sub" "$(grep PathChanged "$watch")"
case $out in *"将每小时自动更新"*"$home/Fav/Sub"*) ;; *) fail "output: $out" ;; esac
verify "hourly on change"

echo "== on-change alone keeps the schedule that is set"
run --refresh on-change
expect_eq "exit status" 0 "$status"
grep -qx 'OnCalendar=hourly' "$schedule" || fail "schedule changed: $(cat "$schedule")"

echo "== an imported Firefox folder: imported again first, its database watched"
profile=$home/.mozilla/firefox/p.default
mkdir -p "$profile"
printf '[Profile0]\nPath=p.default\nIsRelative=1\nDefault=1\n' >"$home/.mozilla/firefox/profiles.ini"
: >"$profile/places.sqlite"
shortcut "$home/Fav/Firefox/c.url" https://c.example/
printf '[Options]\r\nSourceFolder=%s\r\n' "$home/Fav/Firefox" >"$prog/Linkshelf.lfs"
run --refresh daily on-change
expect_eq "exit status" 0 "$status"
grep -qx "ExecStartPre=\"$prog/linkshelf\" --import \"firefox\" \"$home/Fav\"" "$commands" ||
    fail "no import: $(cat "$commands")"
expect_eq "watched" "PathChanged=
PathChanged=$profile/places.sqlite" "$(grep PathChanged "$watch")"
case $out in *"Firefox 的书签重新导入到 \"$home/Fav\""*) ;; *) fail "output: $out" ;; esac
verify "import"

echo "== the page inside a watched folder would rebuild itself without end"
printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\n' "$home/Fav" "$home/Fav/page.htm" \
    >"$prog/Linkshelf.lfs"
cp -r "$user_units" "$work/units-before"
run --refresh hourly on-change
expect_eq "exit status" 1 "$status"
case $err in *"$home/Fav/page.htm"*"受监视的文件夹"*) ;; *) fail "message: $err" ;; esac
expect_eq "calls" "" "$calls"
diff -r "$work/units-before" "$user_units" >/dev/null || fail "drop-ins changed"

echo "== a step the manager refuses is reported with its reason"
printf '[Options]\r\nSourceFolder=%s\r\n' "$home/Fav" >"$prog/Linkshelf.lfs"
touch "$work/state/fail-enable"
run --refresh daily
expect_eq "exit status" 1 "$status"
case $err in *"systemctl --user enable --now linkshelf-refresh.timer"*"Access denied"*) ;; *) fail "message: $err" ;; esac
rm "$work/state/fail-enable"

echo "== off: the units disabled, the drop-ins and their folders gone"
run --refresh off
expect_eq "exit status" 0 "$status"
expect_eq "output" "已关闭页面的自动更新。" "$out"
expect_eq "calls" $'--user disable --now linkshelf-refresh.timer linkshelf-refresh.path\n--user daemon-reload' "$calls"
expect_eq "left in the unit folder" "" "$(ls -A "$user_units")"

echo "== no folder of shortcuts: refused, nothing set up"
printf '[Options]\r\nSourceFolder=\r\n' >"$prog/Linkshelf.lfs"
run --refresh daily
expect_eq "exit status" 1 "$status"
case $err in *"没有快捷方式文件夹"*) ;; *) fail "message: $err" ;; esac
expect_eq "calls" "" "$calls"
printf '[Options]\r\nSourceFolder=%s\r\n' "$home/Fav" >"$prog/Linkshelf.lfs"

echo "== without a user manager: said so, the crontab line printed, nothing written"
touch "$work/state/no-manager"
run --refresh hourly on-change
expect_eq "exit status" 1 "$status"
expect_eq "crontab line" "@hourly $prog/linkshelf -RUN" "$out"
case $err in *"自动更新需要 systemd 用户实例"*"(systemctl --user: Failed to connect to bus: No medium found)"*"crontab -e"*"cron 不能在文件夹改变时更新页面"*) ;; *) fail "message: $err" ;; esac
expect_eq "systemctl asked" "$show_call" "$(cat "$work/systemctl.log")"
expect_eq "left in the unit folder" "" "$(ls -A "$user_units")"
run --refresh off
expect_eq "off: exit status" 0 "$status"
case $err in *"crontab -e"*) ;; *) fail "off: message: $err" ;; esac
rm "$work/state/no-manager"

echo "== a manager without the units: said so, the crontab line printed"
touch "$work/state/not-found"
run --refresh daily
expect_eq "exit status" 1 "$status"
expect_eq "crontab line" "@daily $prog/linkshelf -RUN" "$out"
case $err in *"linkshelf-refresh.service"*"/usr/lib/systemd/user/"*) ;; *) fail "message: $err" ;; esac
rm "$work/state/not-found"

echo "== words that ask for nothing known"
for words in "" "weekly" "daily hourly" "off daily" "on-change on-change"; do
    # shellcheck disable=SC2086
    run --refresh $words
    expect_eq "exit status of --refresh $words" 1 "$status"
    case $err in *"用法：linkshelf --refresh"*) ;; *) fail "usage of --refresh $words: $err" ;; esac
    expect_eq "calls of --refresh $words" "" "$(cat "$work/systemctl.log")"
done

finish "refresh"
