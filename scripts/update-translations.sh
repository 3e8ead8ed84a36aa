#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings translations/*.ts up to date with the texts in src/: new texts appear as unfinished
# entries to translate (with Qt Linguist or an editor), texts no longer used are dropped.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -locations none -no-obsolete src -ts translations/*.ts
