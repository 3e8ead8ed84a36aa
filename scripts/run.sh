#!/usr/bin/env bash
# Builds Linkshelf and generates the link page from the shipped example tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
status=0
build/bin/linkshelf examples/Example.lfs || status=$?
case $status in
    0) echo "Linkshelf wrote the page to $(pwd)/build/Linkpage.htm" ;;
    2) echo "Linkshelf found no shortcut in examples/Favorites" ;;
    *) echo "Linkshelf could not write the page (exit status $status)"; exit "$status" ;;
esac
