#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Linkshelf in a build folder (default: build), with any extra CMake options.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINKSHELF_WERROR=ON "$@" >/dev/null
cmake --build "$folder"
