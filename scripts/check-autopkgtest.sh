#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the package's own tests (debian/tests, as a distribution's archive runs them) on the
# installed package: in a new Debian 12 chroot, which mmdebstrap makes from this machine's package
# sources in a temporary folder, autopkgtest installs the built packages and what the tests
# depend on, and runs each test against the installed program, with the tests read from the
# unpacked source package. Nothing is kept: the chroot goes with the folder.
# Usage: scripts/check-autopkgtest.sh linkshelf_VERSION_ARCH.changes
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 linkshelf_VERSION_ARCH.changes" >&2; exit 2; }
changes=$(realpath "$1")
first=$(dirname "$changes")
cd "$(dirname "$0")/.."
scripts/install-deps.sh --chroot

listed() { # ending: the files the .changes lists whose names end so
    sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* [^ ]* [^ ]* //p' "$changes" | grep -- "$1\$" || true
}
dsc=$(listed .dsc)
[ -n "$dsc" ] || { echo "$changes lists no source package." >&2; exit 1; }

work=$(mktemp -d)
# The chroot's mounts are mmdebstrap's to undo; the clean-up stays on this file system.
trap 'rm -rf --one-file-system "$work"' EXIT
mkdir "$work/test"
dpkg-source --no-check -x "$first/$dsc" "$work/test/source" >/dev/null
for deb in $(listed .deb); do
    case $deb in *-dbgsym_*) ;; *) cp "$first/$deb" "$work/test/" ;; esac
done

sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "$file" ] && sources+=("$file")
done
[ ${#sources[@]} -gt 0 ] || { echo "This machine has no package sources for the chroot." >&2; exit 1; }

in_chroot='chroot "$1" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive'
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" env TMPDIR="$work" \
    mmdebstrap --variant=apt --mode=root --format=null --include=autopkgtest \
    --customize-hook="copy-in $work/test /" \
    --customize-hook="$in_chroot"' sh -c "autopkgtest --no-built-binaries /test/*.deb /test/source -- null"' \
    bookworm /dev/null "${sources[@]}"
echo "The package's own tests pass on the installed package."
