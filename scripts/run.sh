#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Linkshelf and runs it on the shipped example tree: the wizard when a display is
# available, else an unattended run that generates the example page.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build

# The example settings, with absolute paths, become the default settings beside the program,
# so the wizard starts on the example tree.
root=$(pwd)
if [ ! -f build/bin/Linkshelf.lfs ]; then
    sed -e "s#^SourceFolder=.*#SourceFolder=$root/examples/Favorites#" \
        -e "s#^OutputFile=.*#OutputFile=$root/build/Linkpage.htm#" \
        examples/Example.lfs >build/bin/Linkshelf.lfs
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/linkshelf
fi

echo "No display: generating the example page without the wizard."
status=0
build/bin/linkshelf examples/Example.lfs || status=$?
case $status in
    0) echo "Linkshelf wrote the page to $root/build/Linkpage.htm" ;;
    2) echo "Linkshelf found no shortcut in examples/Favorites" ;;
    *) echo "Linkshelf could not write the page (exit status $status)"; exit "$status" ;;
esac
