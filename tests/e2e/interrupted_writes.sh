#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Interrupts the built program while it writes a large page: it is killed (SIGKILL) at random
# moments, 100 times, and its writes are made to fail for lack of room (a file-size limit).
# The page on disk must each time be the old page or the complete new one, byte for byte; a
# failed write must be reported with exit status 1, and no temporary file may stay beside it.
# Usage: interrupted_writes.sh PATH/TO/linkshelf SOURCE_ROOT
set -uo pipefail

program=$1
kills=${KILLS:-100}
source "$(dirname "$0")/common.sh"
prog=$work/prog
out=$work/out
mkdir -p "$prog" "$out" "$work/home/.config"
cp "$program" "$prog/linkshelf"
printf 'XDG_DESKTOP_DIR="%s"\n' "$out" >"$work/home/.config/user-dirs.dirs"

# A template that holds the link list many times makes a page of some 50 MB from a small tree,
# so that writing it takes a good part of the run.
{
    printf '%%LF_TITLE%%\r\n'
    for _ in $(seq 300); do printf '%%LF_LINKS_HTML%%'; done
} >"$prog/Linkshelf.lft"
awk -v dir="$work/fav" 'BEGIN {
    for (i = 0; i < 2000; i++) {
        folder = sprintf("%s/folder %02d", dir, i % 20)
        if (i < 20)
            system("mkdir -p \"" folder "\"")
        file = sprintf("%s/link %04d.url", folder, i)
        printf "[InternetShortcut]\r\nURL=https://example.org/%d?from=favorites\r\n", i > file
        close(file)
    }
}'
for variant in A B; do
    printf '[Options]\r\nSourceFolder=%s/fav\r\nOutputFile=%s/page.htm\r\nPageTitle=%s\r\n' \
        "$work" "$out" "$variant" >"$work/$variant.lfs"
done

# Replaces the calling shell with the program, so that a background job's $! is the program
# itself: a kill that reached only a shell around it would leave it writing the page later.
launch() { # settings file, then anything to run before the program in its shell
    local settings=$1
    shift
    exec "${clean_env[@]}" bash -c "$* exec \"\$0\" \"\$1\"" "$prog/linkshelf" "$settings"
}
run() { (launch "$@"); }
checksum() { md5sum <"$out/page.htm" | cut -d' ' -f1; }
leftovers() { find "$out" -name '.linkshelf-*' | wc -l; }

# The complete page of each variant, and how long a whole run takes.
declare -A complete
for variant in A B; do
    start=$(date +%s%N)
    run "$work/$variant.lfs" || fail "run $variant failed"
    took=$((($(date +%s%N) - start) / 1000))
    complete[$variant]=$(checksum)
done
[ "${complete[A]}" != "${complete[B]}" ] || fail "the two pages do not differ"
echo "a whole run takes ${took} us and writes $(stat -c %s "$out/page.htm") bytes"

echo "== killed at random moments, $kills times"
old=0
new=0
stale=0
for round in $(seq "$kills"); do
    before=$(checksum)
    variant=A
    [ "$before" == "${complete[A]}" ] && variant=B
    delay=$((RANDOM * took / 32767))
    # A kill that finds a sanitizer build inside its leak check at exit leaves the checker's
    # helper process reporting the threads it lost, which is no finding about the program; the
    # runs that are not killed check for leaks.
    (launch "$work/$variant.lfs" 'export ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0;') 2>/dev/null &
    pid=$!
    sleep "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))"
    kill -KILL "$pid" 2>/dev/null
    # The killed process itself: ended by the kill (137), or finished before it.
    wait "$pid" 2>/dev/null
    ended=$?
    [ "$ended" -eq 137 ] || [ "$ended" -eq 0 ] ||
        fail "round $round (killed after ${delay} us): the run ended with status $ended"
    after=$(checksum)
    if [ "$after" == "$before" ]; then
        old=$((old + 1))
    elif [ "$after" == "${complete[$variant]}" ]; then
        new=$((new + 1))
    else
        fail "round $round (killed after ${delay} us): the page is neither the old one nor the new"
    fi
    stale=$((stale + $(leftovers)))
    find "$out" -name '.linkshelf-*' -delete
done
echo "   old page kept $old times, new page complete $new times, $stale temporary files left"
[ "$old" -gt 0 ] || fail "no kill came before the page was replaced"
# The page is written to a file without a name, which the system frees when the program dies;
# only a kill in the moment between naming it and renaming it over the page can leave it.
[ "$stale" -le 1 ] || fail "$stale temporary files left by $kills killed runs"

echo "== a write that fails for lack of room"
run "$work/A.lfs" || fail "run A failed"
for limit in 0 1 1000 20000; do
    # ulimit -f counts kilobytes; the page is far larger than each limit.
    err=$(run "$work/B.lfs" "ulimit -f $limit;" 2>&1)
    status=$?
    expect_eq "exit status with a limit of $limit KB" 1 "$status"
    case $err in *"不能保存页面到文件 \"$out/page.htm\" 。"*) ;; *) fail "message with a limit of $limit KB: $err" ;; esac
    expect_eq "old page with a limit of $limit KB" "${complete[A]}" "$(checksum)"
    expect_eq "temporary files with a limit of $limit KB" 0 "$(leftovers)"
done

finish interrupted-write
