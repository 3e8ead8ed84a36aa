#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# No file of the program includes another that leads back to it: a header and its source file
# count as one unit, named after the file pair, and an include of "Name.h" is an arrow to the
# unit Name. tsort orders the arrows and names the units of any loop it finds.
# Usage: include_cycles.sh SOURCE_ROOT
set -euo pipefail
cd "$1/src"
arrows=$(grep -rHo --include='*.h' --include='*.cpp' '^#include "[^"]*\.h"' . |
    sed -E 's@^.*/([^/]+)\.(h|cpp):#include "([^"]*/)?([^"/]+)\.h"$@\1 \4@' |
    awk '$1 != $2' | sort -u)
if ! loops=$(tsort <<<"$arrows" 2>&1 >/dev/null); then
    echo "Files that include each other, directly or around a loop:"
    echo "$loops"
    exit 1
fi
echo "no include loop among $(wc -l <<<"$arrows") arrows"
