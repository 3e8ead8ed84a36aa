#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The link check side by side with linkinator (npm, as bench/linkinator/package-lock.json pins
# it) on the same loopback sites, in turns, so both meet the same load. The site runs in a process
# of its own (loopback_site); linkshelf checks a shortcut tree with `--check`, linkinator a page
# that links the same addresses, each with its own default settings but for linkinator's time
# limit, which is none (a silent host would hold it for ever): it gets linkshelf's 15 s. Prints a
# Markdown table of median wall times and the largest peak memory, with what each tool found.
#
# Usage: bench/check_links.sh [CASE...]   CASE is LINKS/HOSTS/DELAY_MS or LINKS/HOSTS/silent;
#                                         default: 200/1/silent 2000/20/100 10000/1/0
# Environment: ROUNDS (default 3), BENCH_DIR, BUILD (see bench/common.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cases=("$@")
[ ${#cases[@]} -eq 0 ] && cases=(200/1/silent 2000/20/100 10000/1/0)
rounds=${ROUNDS:-3}
source bench/common.sh
build_for_bench linkshelf loopback_site
program=$PWD/$build/bin/linkshelf
linkinator=(bench/linkinator/node_modules/.bin/node bench/linkinator/node_modules/linkinator/build/src/cli.js)
work=$out/check-links
rm -rf "$work"
mkdir -p "$work/home"

# Starts the site of a case; its addresses, one a host, in $work/hosts.
start_site() { # HOSTS DELAY_MS|silent
    local delay=$2 mode=answer
    [ "$delay" = silent ] && delay=0 mode=silent
    coproc SITE { "$build/bench/loopback_site" "$1" "$delay" "$mode" 1800; }
    head -n "$1" <&"${SITE[0]}" >"$work/hosts"
}
stop_site() {
    eval "exec ${SITE[1]}>&-"
    wait "$SITE_PID" 2>/dev/null || true
}

# A tree of LINKS shortcuts, a hundred a folder, and a page linking the same addresses.
make_links() { # LINKS
    rm -rf "$work/Fav" && mkdir -p "$work/Fav"
    local addresses
    mapfile -t addresses <"$work/hosts"
    {
        printf '<!DOCTYPE html>\n<html><head><title>links</title></head><body>\n'
        for ((i = 0; i < $1; i++)); do
            local url="${addresses[i % ${#addresses[@]}]}/page/$i"
            local folder="$work/Fav/f$((i / 100))"
            [ -d "$folder" ] || mkdir "$folder"
            printf '[InternetShortcut]\r\nURL=%s\r\n' "$url" >"$folder/link $i.url"
            printf '<a href="%s">link %d</a>\n' "$url" "$i"
        done
        printf '</body></html>\n'
    } >"$work/page/index.html"
    printf '[Options]\r\nSourceFolder=%s\r\n' "$work/Fav" >"$work/check.lfs"
}

# Runs a tool once; appends "wall peak-KB" to $1 and keeps its report in $2.
timed() { # TIMES REPORT COMMAND...
    local times=$1 report=$2 start end
    shift 2
    start=$(date +%s%N)
    timeout 900 /usr/bin/time -f '%M' -o "$work/peak" "$@" >"$report" 2>/dev/null || true
    end=$(date +%s%N)
    echo "$(((end - start) / 1000000)) $(tail -n 1 "$work/peak")" >>"$times"
}

seconds() { awk '{ printf "%.1f\n", $1 / 1000 }' | median; }
megabytes() { awk '{ printf "%.0f\n", $2 / 1024 }' | maximum; }

mkdir -p "$work/page"
printf '| links | hosts | answer after | linkshelf (s) | linkinator (s) | linkshelf peak (MB) | linkinator peak (MB) | linkshelf found | linkinator found |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---|---|\n'
for case in "${cases[@]}"; do
    IFS=/ read -r links hosts delay <<<"$case"
    start_site "$hosts" "$delay"
    make_links "$links"
    rm -f "$work/ours" "$work/theirs"
    for ((round = 0; round < rounds; round++)); do
        timed "$work/ours" "$work/ours.txt" env HOME="$work/home" XDG_CACHE_HOME="$work/home/cache" \
            "$program" --check "$work/check.lfs"
        timed "$work/theirs" "$work/theirs.csv" "${linkinator[@]}" "$work/page/index.html" \
            --format csv --timeout 15000
    done
    stop_site
    ours=$(tail -n 1 "$work/ours.txt" | grep -o '[0-9]* ok, [0-9]* dead')
    # linkinator lists the page itself too: one line a link, its state in the third column.
    theirs=$(awk -F, 'NR > 1 && $1 ~ /^http:\/\/127.0.0.1:[0-9]+\/page\// { n[$3]++ }
        END { printf "%d ok, %d broken", n["OK"], n["BROKEN"] }' "$work/theirs.csv")
    shown=$delay
    [ "$delay" != silent ] && shown="$delay ms"
    printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$links" "$hosts" "$shown" \
        "$(seconds <"$work/ours")" "$(seconds <"$work/theirs")" \
        "$(megabytes <"$work/ours")" "$(megabytes <"$work/theirs")" "$ours" "$theirs"
done
