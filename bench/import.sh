#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `linkshelf --import` of LINKS bookmarks from each kind of source against the plain write
# (make every folder and write every shortcut file once, in C), side by side: each round runs
# the plain write and then the import into a fresh folder, so both meet the same load. Prints a
# Markdown table of medians and the import's peak memory.
#
# Usage: bench/import.sh [LINKS]   default 100000, in LINKS/10 folders
# Environment: ROUNDS (default 11), BENCH_DIR (default /tmp/linkshelf-bench), BUILD (default
#              build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
links=${1:-100000}
folders=$((links / 10))
rounds=${ROUNDS:-11}
source bench/common.sh
build_for_bench linkshelf plain_write
program=$build/bin/linkshelf
plain=$build/bench/plain_write
sources=$out/bookmarks-$links
if [ ! -d "$sources" ]; then
    python3 bench/make_bookmarks.py "$sources.partial" "$links" "$folders"
    mv "$sources.partial" "$sources"
fi
target=$out/import-target

# Each run starts on an empty target, flushed to disk, so no run pays for the one before.
measure_on_empty_target() {
    rm -rf "$target"
    sync
    measure "$@"
}

printf '| source | links | folders | plain write (s) | import (s) | ratio | plain CPU (s) | import CPU (s) | peak memory (MB) |\n'
printf '|---|---:|---:|---:|---:|---:|---:|---:|---:|\n'
for source in bookmarks.html Bookmarks places.sqlite; do
    # One unmeasured round warms the cache and checks the import.
    rm -rf "$target"
    "$program" --import "$sources/$source" "$target" >/dev/null
    rm -f "$out/plain.txt" "$out/import.txt"
    for _ in $(seq "$rounds"); do
        measure_on_empty_target "$out/plain.txt" "$plain" "$target" "$links" "$folders"
        measure_on_empty_target "$out/import.txt" "$program" --import "$sources/$source" "$target"
    done
    paste -d' ' "$out/plain.txt" "$out/import.txt" | awk '{ print $4 / $1 }' >"$out/ratio.txt"
    awk -v s="$source" -v l="$links" -v f="$folders" \
        -v p="$(column 1 "$out/plain.txt" | median)" -v r="$(column 1 "$out/import.txt" | median)" \
        -v q="$(median <"$out/ratio.txt")" -v pc="$(column 2 "$out/plain.txt" | median)" \
        -v rc="$(column 2 "$out/import.txt" | median)" \
        -v m="$(column 3 "$out/import.txt" | maximum)" 'BEGIN {
        printf "| %s | %d | %d | %.3f | %.3f | %.2f | %.3f | %.3f | %.1f |\n",
            s, l, f, p, r, q, pc, rc, m / 1024 }'
done
rm -rf "$target"
printf '\n%d rounds; times are medians of wall-clock seconds, the ratio is the median of the\n' "$rounds"
printf 'per-round ratios, CPU is user plus system time, peak memory is the largest resident set.\n'
