#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Linkshelf and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/build.sh build
ctest --test-dir build --output-on-failure -j2
