#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package linkshelf_<version>_<arch>.deb into the repository's root folder,
# running the test suite during the build. It is built from a copy of the files git knows
# (committed or not, ignored ones left out), so build folders of the checkout play no part.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh --package

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/copy-source.sh "$work/linkshelf"

jobs=$(nproc)
(cd "$work/linkshelf" &&
    DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc)
cp "$work"/linkshelf_*.deb "$root/"
ls "$root"/linkshelf_*.deb
