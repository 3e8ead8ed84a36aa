#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows that debian/control declares everything the package's build needs: builds the package, as
# a build daemon does, from its source package (the .dsc named, else one made here from the
# checkout) in a new Debian 12 chroot that holds only build-essential and the Build-Depends,
# which apt reads from the unpacked source inside the chroot. mmdebstrap makes the chroot from
# this machine's package sources in a temporary folder, and it is removed with that folder:
# nothing is kept or cached. The test suite is left out (the nocheck build profile), as
# scripts/package.sh runs it; --check runs it in the chroot too, which also shows that the
# test-only Build-Depends are complete.
# Usage: scripts/build-in-chroot.sh [--check] [linkshelf_VERSION.dsc]
set -euo pipefail
profile=nocheck
if [ "${1:-}" = --check ]; then
    profile=
    shift
fi
case "${1:-}" in
-*) echo "usage: $0 [--check] [linkshelf_VERSION.dsc]" >&2; exit 2 ;;
esac
dsc=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."
scripts/install-deps.sh --chroot

work=$(mktemp -d)
# The chroot's mounts are mmdebstrap's to undo; should one outlive it, the clean-up stays on this
# file system rather than reach through it.
trap 'rm -rf --one-file-system "$work"' EXIT
mkdir "$work/source"
if [ -z "$dsc" ]; then
    scripts/copy-source.sh "$work/linkshelf"
    (cd "$work" && dpkg-source -b linkshelf >/dev/null)
    dsc=$(ls "$work"/linkshelf_*.dsc)
fi
# The source package is the .dsc and the files it lists.
for file in "$dsc" $(sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* //p' "$dsc"); do
    cp "$(dirname "$dsc")/$(basename "$file")" "$work/source/"
done

sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "$file" ] && sources+=("$file")
done
[ ${#sources[@]} -gt 0 ] || { echo "This machine has no package sources for the chroot." >&2; exit 1; }

# The hooks run with the chroot's path as $1 and see these through the environment; inside the
# chroot the build gets a plain environment of its own, not this machine's.
in_chroot='chroot "$1" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive DEB_BUILD_PROFILES="$LINKSHELF_PROFILE" \
    DEB_BUILD_OPTIONS="$LINKSHELF_PROFILE parallel=$LINKSHELF_JOBS"'
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" env LINKSHELF_PROFILE="$profile" LINKSHELF_JOBS="$(nproc)" TMPDIR="$work" \
    mmdebstrap --variant=buildd --mode=root --format=null \
    --customize-hook='mkdir "$1/build"' --customize-hook="copy-in $work/source /build" \
    --customize-hook="$in_chroot"' sh -c "cd /build && dpkg-source -x source/*.dsc linkshelf"' \
    --customize-hook="$in_chroot"' apt-get build-dep --yes --no-install-recommends /build/linkshelf' \
    --customize-hook="$in_chroot"' sh -c "cd /build/linkshelf && dpkg-buildpackage -b -us -uc"' \
    --customize-hook='cd "$1/build" && ls -l -- *.deb' \
    bookworm /dev/null "${sources[@]}"
echo "The source package builds in a clean Debian 12 chroot from its declared Build-Depends."
