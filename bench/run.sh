#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the unattended run against the plain pass (list every folder, read every shortcut once)
# on generated trees, side by side: each round runs the plain pass and then the program on the
# same tree, so both see the same load and the same warm file cache. Prints a Markdown table of
# medians, the peak memory of the run, and how the times grow with the tree.
#
# Usage: bench/run.sh [TREE...]   TREE is LINKS or LINKS/FOLDERS (default FOLDERS: LINKS/10);
#                                 default: 10000 100000 1000000
# Environment: ROUNDS (rounds per tree, default 11), BENCH_DIR (trees, settings and pages,
#              default /tmp/linkshelf-bench; trees are kept and reused), BUILD (build folder,
#              default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
trees=("$@")
[ ${#trees[@]} -eq 0 ] && trees=(10000 100000 1000000)
rounds=${ROUNDS:-11}
source bench/common.sh
build_for_bench linkshelf plain_pass
program=$build/bin/linkshelf
plain=$build/bench/plain_pass
mkdir -p "$out"

summary=()
printf '| links | folders | page (MB) | plain pass (s) | linkshelf (s) | ratio | plain CPU (s) | linkshelf CPU (s) | peak memory (MB) | memory limit (MB) |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n'
for shape in "${trees[@]}"; do
    bench_tree "$shape"
    # One unmeasured round fills the file cache and checks that the run writes the page.
    "$plain" "$tree" >/dev/null
    "$program" "$settings" || { echo "linkshelf failed on $tree" >&2; exit 1; }

    rm -f "$out/plain.txt" "$out/run.txt"
    for _ in $(seq "$rounds"); do
        measure "$out/plain.txt" "$plain" "$tree"
        measure "$out/run.txt" "$program" "$settings"
    done
    paste -d' ' "$out/plain.txt" "$out/run.txt" | awk '{ print $4 / $1 }' >"$out/ratio.txt"
    p=$(column 1 "$out/plain.txt" | median)
    r=$(column 1 "$out/run.txt" | median)
    ratio=$(median <"$out/ratio.txt")
    pc=$(column 2 "$out/plain.txt" | median)
    rc=$(column 2 "$out/run.txt" | median)
    peak=$(column 3 "$out/run.txt" | maximum)
    size=$(stat -c %s "$page")
    awk -v l="$links" -v f="$folders" -v s="$size" -v p="$p" -v r="$r" -v q="$ratio" \
        -v pc="$pc" -v rc="$rc" -v m="$peak" 'BEGIN {
        mb = s / 1048576
        printf "| %d | %d | %.1f | %.3f | %.3f | %.2f | %.3f | %.3f | %.1f | %.0f |\n",
            l, f, mb, p, r, q, pc, rc, m / 1024, 64 + 3 * mb }'
    summary+=("$links $folders $p $r")
done

# How the times grow from each tree to the next one of the same shape that is ten times larger.
printf '%s\n' "${summary[@]}" | awk '
    { links[NR] = $1; folders[NR] = $2; plain[NR] = $3; run[NR] = $4 }
    END {
        for (i = 1; i <= NR; i++)
            for (j = 1; j <= NR; j++)
                if (links[j] == 10 * links[i] && folders[j] == 10 * folders[i])
                    printf "\n%d -> %d links: plain pass x%.2f, linkshelf x%.2f\n",
                        links[i], links[j], plain[j] / plain[i], run[j] / run[i]
    }'
printf '\n%d rounds per tree; times are medians of wall-clock seconds, the ratio is the median of\n' "$rounds"
printf 'the per-round ratios, CPU is user plus system time, peak memory is the largest resident set.\n'
