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
