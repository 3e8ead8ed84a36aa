#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the export of a tree as a bookmark file and as XBEL against the page of the same tree,
# side by side: each round makes the page, then both exports, from the same settings file, so
# all three meet the same load and the same warm file cache. Prints a Markdown table of medians.
#
# Usage: bench/export.sh [TREE...]   TREE is LINKS or LINKS/FOLDERS (default FOLDERS: LINKS/10);
#                                    default: 100000
# Environment: ROUNDS (default 11), BENCH_DIR, BUILD (as for bench/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(100000)
rounds=${ROUNDS:-11}
source bench/common.sh
build_for_bench linkshelf
program=$build/bin/linkshelf
mkdir -p "$out"

printf '| links | folders | page (s) | bookmark file (s) | XBEL (s) | bookmark file / page | XBEL / page | CPU page, bookmark file, XBEL (s) | page, bookmark file, XBEL (MB) |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---|---|\n'
for shape in "${trees[@]}"; do
    bench_tree "$shape"
    html=$out/export-$name.html
    xbel=$out/export-$name.xbel
    # One unmeasured round fills the file cache and checks that each run writes its file.
    "$program" "$settings"
    "$program" --export "$html" "$settings" >/dev/null
    "$program" --export "$xbel" "$settings" >/dev/null

    rm -f "$out/page.txt" "$out/html.txt" "$out/xbel.txt"
    for _ in $(seq "$rounds"); do
        measure "$out/page.txt" "$program" "$settings"
        measure "$out/html.txt" "$program" --export "$html" "$settings"
        measure "$out/xbel.txt" "$program" --export "$xbel" "$settings"
    done
    paste -d' ' "$out/page.txt" "$out/html.txt" | awk '{ print $4 / $1 }' >"$out/html-ratio.txt"
    paste -d' ' "$out/page.txt" "$out/xbel.txt" | awk '{ print $4 / $1 }' >"$out/xbel-ratio.txt"
    awk -v l="$links" -v f="$folders" -v p="$(column 1 "$out/page.txt" | median)" \
        -v h="$(column 1 "$out/html.txt" | median)" -v x="$(column 1 "$out/xbel.txt" | median)" \
        -v hr="$(median <"$out/html-ratio.txt")" -v xr="$(median <"$out/xbel-ratio.txt")" \
        -v pc="$(column 2 "$out/page.txt" | median)" -v hc="$(column 2 "$out/html.txt" | median)" \
        -v xc="$(column 2 "$out/xbel.txt" | median)" \
        -v ps="$(stat -c %s "$page")" -v hs="$(stat -c %s "$html")" -v xs="$(stat -c %s "$xbel")" \
        'BEGIN { printf "| %d | %d | %.3f | %.3f | %.3f | %.2f | %.2f | %.2f, %.2f, %.2f | %.1f, %.1f, %.1f |\n",
                 l, f, p, h, x, hr, xr, pc, hc, xc, ps / 1048576, hs / 1048576, xs / 1048576 }'
done
