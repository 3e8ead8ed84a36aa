#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang in build-fuzz and runs one of them, or each in turn, for the
# given number of seconds over a copy of its seed corpus in fuzz/corpus/TARGET.
#
# What a run finds stays in build-fuzz/runs/TARGET: crash inputs in artifacts/, the grown corpus
# in corpus/, the output in log. Nothing is added to fuzz/corpus by itself: copy a crash input
# there by hand once it is fixed, and merge new inputs only when they are few and small.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(ini_file settings_values string_utils link_list export_file chromium_json falkon_json xbel
    qutebrowser firefox_backup gvdb icon_image icon_database falkon_icons webkit_icons)
if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
    echo "Usage: fuzz/run.sh TARGET SECONDS, where TARGET is all or one of: ${targets[*]}" >&2
    exit 2
fi
if [ "$1" = all ]; then
    chosen=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $1 "* ]]; then
    chosen=("$1")
else
    echo "Unknown target $1; the targets are: ${targets[*]}" >&2
    exit 2
fi
seconds=$2

scripts/install-deps.sh --test
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLINKSHELF_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target "${chosen[@]/#/fuzz_}"

status=0
# One target at a time: each uses one core and the machine may have only two.
for target in "${chosen[@]}"; do
    run=$PWD/build-fuzz/runs/$target
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/artifacts"
    cp fuzz/corpus/"$target"/* "$run/corpus/"
    # The targets write files on every run, and saving a settings file syncs it to disk: in
    # memory that costs nothing, on a disk it makes the run several times slower.
    scratch=$(mktemp -d /dev/shm/linkshelf-fuzz.XXXXXX 2>/dev/null || mktemp -d "$run/tmp.XXXXXX")
    echo "== $target for $seconds s"
    # A hang is a finding too: no single input may take more than ten seconds.
    if ! TMPDIR=$scratch "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$run/artifacts/" "$run/corpus" \
        >"$run/log" 2>&1; then
        status=1
    fi
    rm -rf "$scratch"
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$run/log" || true
    if [ -n "$(ls -A "$run/artifacts")" ]; then
        status=1
        echo "Findings of $target:" >&2
        ls -l "$run/artifacts" >&2
        grep -m1 -E 'ERROR|Property broken|runtime error' "$run/log" >&2 || true
    fi
done
exit "$status"
