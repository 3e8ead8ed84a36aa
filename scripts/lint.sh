#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The lint gate: every C++ file as .clang-format lays it out, and no clang-tidy finding in a
# build of everything (build-lint) with the checks of .clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --lint
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
# The English documents name the wizard's menus in English: a caption with a Chinese access key
# such as "检查链接(&C)..." belongs to the Chinese manual page only.
if grep -nP '\p{Han}[^"]*\(&[A-Z]\)' README.md CONTRIBUTING.md data/linkshelf.1.in; then
    echo "Chinese menu captions in an English document (above)"
    exit 1
fi
scripts/build.sh build-lint -DLINKSHELF_CLANG_TIDY=ON
