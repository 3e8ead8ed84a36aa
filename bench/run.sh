#!/usr/bin/env bash
# Times the unattended run against the plain pass (list every folder, read every shortcut once)
# on generated trees, and measures the run's peak memory.
# Usage: bench/run.sh [LINKS...]   (default: 10000 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(10000 100000)
rounds=${ROUNDS:-5}

scripts/install-deps.sh
command -v /usr/bin/time >/dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y time; }
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINKSHELF_BENCH=ON >/dev/null
cmake --build build-bench --target linkshelf plain_pass >/dev/null

out=${BENCH_DIR:-/tmp/linkshelf-bench}
mkdir -p "$out"
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
seconds() { # command...: wall-clock seconds of one run
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

printf '| links | folders | plain pass (s) | linkshelf (s) | ratio | peak memory (MB) | page (MB) |\n'
printf '|---|---|---|---|---|---|---|\n'
for links in "${sizes[@]}"; do
    folders=$((links / 10))
    tree="$out/tree-$links"
    [ -d "$tree" ] || python3 bench/make_tree.py "$tree" "$links" "$folders"
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\nLaunchBrowser=0\r\n' \
        "$tree" "$out/page-$links.htm" >"$out/bench-$links.lfs"
    build-bench/bench/plain_pass "$tree" >/dev/null # warm the file cache
    plain=() ; run=()
    for _ in $(seq "$rounds"); do
        plain+=("$(seconds build-bench/bench/plain_pass "$tree")")
        run+=("$(seconds build-bench/bin/linkshelf "$out/bench-$links.lfs")")
    done
    p=$(printf '%s\n' "${plain[@]}" | median)
    r=$(printf '%s\n' "${run[@]}" | median)
    peak=$(/usr/bin/time -f %M build-bench/bin/linkshelf "$out/bench-$links.lfs" 2>&1 >/dev/null | tail -1)
    page=$(stat -c %s "$out/page-$links.htm")
    awk -v l="$links" -v f="$folders" -v p="$p" -v r="$r" -v m="$peak" -v s="$page" 'BEGIN {
        printf "| %d | %d | %.3f | %.3f | %.2f | %.1f | %.1f |\n", l, f, p, r, r / p, m / 1024, s / 1048576 }'
done
