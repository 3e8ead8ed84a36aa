#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the page of the shipped template in headless Chromium against the plain list of the same
# links (the link list alone, with no style or script), on generated trees: ready, first paint,
# a typed filter character, clearing the filter, fold all, unfold all and the longest main-thread
# task, each the median of the rounds. Prints a Markdown table (bench/page.mjs says how each
# figure is taken).
#
# Usage: bench/page.sh [LINKS...]   default: 1000 10000 100000, ten links to a folder
# Environment: ROUNDS (default 5), TEMPLATE (the template measured, default data/Linkshelf.lft),
#              BENCH_DIR, BUILD as for bench/run.sh.
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

# Writes the page of a tree through a template; the same settings but for the template.
make_page() { # tree, template, page
    local settings=$out/page-bench.lfs
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\nTemplateFile=%s\r\nLaunchBrowser=0\r\n' \
        "$1" "$3" "$2" >"$settings"
    "$build/bin/linkshelf" "$settings" || { echo "linkshelf failed on $1" >&2; exit 1; }
}

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
