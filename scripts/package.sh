#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source package and the binary package from it, as a distribution's archive
# receives them, into the repository's root folder: linkshelf_<version>.dsc and .tar.xz (the
# "3.0 (native)" source), linkshelf_<version>_<arch>.deb with its debug symbols, the .buildinfo,
# the .changes that lists them all, and the build's log as linkshelf_<version>_<arch>.build (blhc
# reads the compiler's flags from it). The build runs the test suite. The source is a copy of the
# files git knows (committed or not, ignored ones left out), so build folders of the checkout
# play no part.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh --package

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/copy-source.sh "$work/linkshelf"

jobs=$(nproc)
(cd "$work/linkshelf" &&
    DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc) 2>&1 |
    tee "$work/build.log"
changes=$(cd "$work" && ls linkshelf_*.changes)
mapfile -t files < <(sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* [^ ]* [^ ]* //p' "$work/$changes")
cp "$work/build.log" "$root/${changes%.changes}.build"
for file in "$changes" "${files[@]}"; do
    cp "$work/$file" "$root/"
done
(cd "$root" && ls -l -- "$changes" "${changes%.changes}.build" "${files[@]}")
