#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the files git knows (committed or not, ignored ones left out) into a new folder, so that
# a package is built from the source alone and build folders of the checkout play no part.
# Usage: scripts/copy-source.sh FOLDER
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 FOLDER" >&2; exit 2; }
mkdir "$1"
target=$(realpath "$1")
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$target"
