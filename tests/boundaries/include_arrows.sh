#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every include of the program names the folder its header lives in, and points down the layers:
# a folder sees only itself and the folders below it. A source file's own header, beside it, is
# included by its bare name, as are the forms Qt generates.
# Usage: include_arrows.sh SOURCE_ROOT [--plant]
# With --plant, the check runs on a copy of the sources with an include that points up, and
# passes only when it finds that include.
set -euo pipefail
root=$1
if [ "${2:-}" = --plant ]; then
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp -r "$root/src" "$copy/src"
    printf '#include "ui/FormMain.h"\n' >>"$copy/src/platform/Failure.cpp"
    if "$0" "$copy" >/dev/null; then
        echo "an include from platform/ up to ui/ went unnoticed"
        exit 1
    fi
    echo "the planted include is found"
    exit 0
fi

declare -A below=(
    [platform]=""
    [text]="platform"
    [desktop]="platform"
    [controls]="text platform"
    [settings]="text platform"
    [import]="text platform"
    [generation]="settings text platform"
    [check]="generation settings text platform"
    [refresh]="generation import settings text platform"
    [ui]="check refresh generation import settings controls desktop text platform"
    [app]="ui check refresh generation import settings controls desktop text platform"
)
cd "$root/src"
faults=0
while IFS=: read -r file include; do
    folder=${file%%/*}
    header=${include#*\"}
    header=${header%\"}
    name=${file##*/}
    if [[ $header != */* ]]; then
        [[ $header == "${name%.*}.h" || $header == ui_*.h ]] && continue
        echo "$file: \"$header\" names no folder"
    else
        target=${header%%/*}
        [[ $target == "$folder" || " ${below[$folder]-} " == *" $target "* ]] && continue
        echo "$file: \"$header\" points from $folder/ to $target/"
    fi
    faults=$((faults + 1))
done < <(grep -rHo --include='*.h' --include='*.cpp' '^#include "[^"]*"' .  | sed 's@^\./@@')
[ "$faults" -eq 0 ] || exit 1
echo "every include names its folder and points down"
