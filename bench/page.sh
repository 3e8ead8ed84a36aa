#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the page of the shipped template in headless Chromium against the plain list of the same
# links (the link list alone, with no style or script), on generated trees: ready, first paint,
# a typed filter character, clearing the filter, fold all, unfold all and the longest main-thread
# task, each the median of the rounds. Prints a Markdown table (bench/page.mjs says how each
# figure is taken).
#
# With ICONS, the same for trees whose links have that many distinct site icons: the page with
# its icons beside the same page without them (ShowIcons=0), the time of each generation run
# (the median of the rounds, the two runs taken in turns so that both meet the same load; wall
# time and the CPU time, which the other work on a shared machine disturbs less) and how much
# the icons add to the page.
#
# Usage: bench/page.sh [LINKS...]   default: 1000 10000 100000, ten links to a folder
# Environment: ROUNDS (default 5), TEMPLATE (the template measured, default data/Linkshelf.lft),
#              ICONS (distinct icons, default none), BENCH_DIR, BUILD as for bench/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1000 10000 100000)
rounds=${ROUNDS:-5}
template=$(realpath "${TEMPLATE:-data/Linkshelf.lft}")
source bench/common.sh
build_for_bench linkshelf
mkdir -p "$out"

plain_template=$out/plain.lft
printf '<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>%%LF_TITLE%%</title></head><body>\n%%LF_LINKS_HTML%%\n</body></html>\n' \
    >"$plain_template"

# The settings of a page of a tree through a template, with icons shown or not.
page_settings() { # settings, tree, template, page[, show icons]
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\nTemplateFile=%s\r\nLaunchBrowser=0\r\nShowIcons=%s\r\n' \
        "$2" "$4" "$3" "${5:-1}" >"$1"
}

# Writes the page of a tree through a template; the same settings but for the template.
make_page() { # tree, template, page
    page_settings "$out/page-bench.lfs" "$@"
    "$build/bin/linkshelf" "$out/page-bench.lfs" || { echo "linkshelf failed on $1" >&2; exit 1; }
}

icons=${ICONS:-}
if [ -n "$icons" ]; then
    cases=()
    rows=()
    for links in "${sizes[@]}"; do
        folders=$((links / 10))
        tree=$out/tree-$links-$folders-icons-$icons
        if [ ! -d "$tree" ]; then
            python3 bench/make_tree.py "$tree.partial" "$links" "$folders" "$icons"
            mv "$tree.partial" "$tree"
        fi
        rm -f "$out/gen-off.txt" "$out/gen-on.txt"
        page_settings "$out/icons-off.lfs" "$tree" "$template" "$out/noicons-$links.htm" 0
        page_settings "$out/icons-on.lfs" "$tree" "$template" "$out/icons-$links.htm" 1
        for _ in $(seq "$rounds"); do
            measure "$out/gen-off.txt" "$build/bin/linkshelf" "$out/icons-off.lfs"
            measure "$out/gen-on.txt" "$build/bin/linkshelf" "$out/icons-on.lfs"
        done
        off=$(column 1 "$out/gen-off.txt" | median)
        on=$(column 1 "$out/gen-on.txt" | median)
        cpu_off=$(column 2 "$out/gen-off.txt" | median)
        cpu_on=$(column 2 "$out/gen-on.txt" | median)
        plain_size=$(stat -c %s "$out/noicons-$links.htm")
        size=$(stat -c %s "$out/icons-$links.htm")
        icon_bytes=$(cat "$tree/.linkshelf-icons/"*.png | wc -c)
        rows+=("$(awk -v l="$links" -v i="$icons" -v off="$off" -v on="$on" -v co="$cpu_off" \
            -v cn="$cpu_on" -v p="$plain_size" -v s="$size" -v b="$icon_bytes" 'BEGIN { printf "| %d | %d | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.1f | %.1f | %.1f | %.1f |", l, i, off, on, on / off, co, cn, cn / co, p / 1e6, s / 1e6, b * 4 / 3 / 1e6, (s - p - b * 4 / 3) / l }')")
        cases+=("$links + $icons icons:$out/noicons-$links.htm:$out/icons-$links.htm")
    done
    echo "| links | icons | run without icons (s) | run with icons (s) | ratio | CPU without icons (s) | CPU with icons (s) | CPU ratio | page without icons (MB) | page with icons (MB) | icons in base64 (MB) | other bytes a link |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    printf '%s\n' "${rows[@]}"
    echo
    NAMES="without icons,with icons" node bench/page.mjs "$rounds" "${cases[@]}"
    exit 0
fi

cases=()
for links in "${sizes[@]}"; do
    folders=$((links / 10))
    tree=$out/tree-$links-$folders
    if [ ! -d "$tree" ]; then
        python3 bench/make_tree.py "$tree.partial" "$links" "$folders"
        mv "$tree.partial" "$tree"
    fi
    make_page "$tree" "$plain_template" "$out/plain-$links.htm"
    make_page "$tree" "$template" "$out/page-$links.htm"
    cases+=("$links:$out/plain-$links.htm:$out/page-$links.htm")
done
node bench/page.mjs "$rounds" "${cases[@]}"
