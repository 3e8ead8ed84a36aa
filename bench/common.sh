# SPDX-License-Identifier: GPL-3.0-or-later
# What the benchmark scripts share; sourced from the repository root.
# Environment: BENCH_DIR (trees, settings and pages, default /tmp/linkshelf-bench), BUILD
# (build folder, default build-bench).
out=${BENCH_DIR:-/tmp/linkshelf-bench}
build=${BUILD:-build-bench}

# Installs what the benchmarks need and builds the targets named, with the build type of
# scripts/build.sh, so the program measured is the program shipped.
build_for_bench() {
    scripts/install-deps.sh --bench
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINKSHELF_BENCH=ON >/dev/null
    cmake --build "$build" --target "$@" >/dev/null
}

# The tree of a shape, "LINKS" or "LINKS/FOLDERS" (ten links a folder unless said), made once
# under $out, with a settings file that makes its page: sets links, folders, name, tree,
# settings and page.
bench_tree() {
    links=${1%/*}
    folders=$((links / 10))
    [ "$1" != "$links" ] && folders=${1#*/}
    name=$links-$folders
    tree=$out/tree-$name
    if [ ! -d "$tree" ]; then
        python3 bench/make_tree.py "$tree.partial" "$links" "$folders"
        mv "$tree.partial" "$tree"
    fi
    settings=$out/bench-$name.lfs
    page=$out/page-$name.htm
    printf '[Options]\r\nSourceFolder=%s\r\nOutputFile=%s\r\nLaunchBrowser=0\r\n' "$tree" "$page" \
        >"$settings"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
maximum() { sort -g | tail -n 1; }
column() { awk -v c="$1" '{ print $c }' "$2"; }

# Runs a command once; appends "wall user+sys peak-KB" to the file named by $1.
measure() {
    local into=$1 start end
    shift
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S %M' -o "$out/time.txt" "$@" >/dev/null
    end=$(date +%s%N)
    awk -v w=$(((end - start) / 1000)) '{ printf "%.6f %.3f %d\n", w / 1e6, $1 + $2, $3 }' \
        "$out/time.txt" >>"$into"
}
