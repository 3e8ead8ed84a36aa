#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Linkshelf with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan and runs
# every test there. Fails on a failing test and on any sanitizer report, also one from a program
# that a test expected to fail or whose error output it did not look at.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
# Built with clang: GCC 12's UndefinedBehaviorSanitizer, linked with AddressSanitizer, ignores
# log_path and would report to standard error only.
scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DLINKSHELF_SANITIZE=ON

# Reports go to files as well as failing the process, so that an end-to-end test that checks
# only an exit status cannot mistake a sanitizer's exit for the program's own.
logs=$PWD/build-asan/sanitizer-reports
rm -rf "$logs"
mkdir -p "$logs"
# Tests may run the program as an unprivileged user; its reports must still be written.
chmod 1777 "$logs"
export ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1"

status=0
ctest --test-dir build-asan --output-on-failure -j2 || status=$?

if [ -n "$(ls -A "$logs")" ]; then
    for report in "$logs"/*; do
        echo "== $report"
        cat "$report"
    done
    echo "Sanitizer reports were written: failing." >&2
    exit 1
fi
exit "$status"
