#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Profiles one unattended run with callgrind on a generated tree and prints where the
# instructions go: first inclusive (a routine with everything it calls), then by routine alone.
#
# Usage: bench/profile.sh [TREE]   TREE is LINKS or LINKS/FOLDERS as for bench/run.sh
#                                  (default 100000); the tree is made by bench/run.sh's rules.
# Environment: BENCH_DIR, BUILD as for bench/run.sh; LINES (rows of each list, default 40).
set -euo pipefail
cd "$(dirname "$0")/.."
shape=${1:-100000}
lines=${LINES:-40}
source bench/common.sh
build_for_bench linkshelf

links=${shape%/*}
folders=$((links / 10))
[ "$shape" != "$links" ] && folders=${shape#*/}
tree=$out/tree-$links-$folders
mkdir -p "$out"
if [ ! -d "$tree" ]; then
    python3 bench/make_tree.py "$tree.partial" "$links" "$folders"
    mv "$tree.partial" "$tree"
fi
settings=$out/profile.lfs
printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s/profile.htm\r\nLaunchBrowser=0\r\n' \
    "$tree" "$out" >"$settings"

profile=$out/callgrind.out
valgrind --tool=callgrind --callgrind-out-file="$profile" "$build/bin/linkshelf" "$settings" \
    2>&1 | grep 'refs:'
echo "== inclusive"
callgrind_annotate --inclusive=yes "$profile" | grep -E '^ *[0-9,]+ \(' | head -n "$lines"
echo "== self"
callgrind_annotate "$profile" | grep -E '^ *[0-9,]+ \(' | head -n "$lines"
echo "The whole profile: $profile (callgrind_annotate, or kcachegrind)"
