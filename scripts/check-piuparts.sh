#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, removes and purges the built package with piuparts in a clean Debian 12 chroot that
# mmdebstrap makes from this machine's package sources: every step must succeed and the purge
# must leave the system as it found it. The chroot holds a user with a settings file and a
# folder of shortcuts of their own, which the package must neither write at installation nor
# touch at removal. Given the .deb of an earlier version too, piuparts also upgrades from it.
# Usage: scripts/check-piuparts.sh linkshelf_VERSION_ARCH.changes [linkshelf_EARLIER_ARCH.deb]
set -euo pipefail
[ $# -ge 1 ] && [ $# -le 2 ] ||
    { echo "usage: $0 linkshelf_VERSION_ARCH.changes [linkshelf_EARLIER_ARCH.deb]" >&2; exit 2; }
changes=$(realpath "$1")
earlier=${2:+$(realpath "$2")}
cd "$(dirname "$0")/.."
scripts/install-deps.sh --chroot

work=$(mktemp -d)
trap 'rm -rf --one-file-system "$work"' EXIT
debs=()
for deb in $(sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* [^ ]* [^ ]* //p' "$changes" | grep '\.deb$'); do
    case $deb in *-dbgsym_*) ;; *) debs+=("$(dirname "$changes")/$deb") ;; esac
done
[ ${#debs[@]} -gt 0 ] || { echo "$changes lists no package." >&2; exit 1; }

sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "$file" ] && sources+=("$file")
done
[ ${#sources[@]} -gt 0 ] || { echo "This machine has no package sources for the chroot." >&2; exit 1; }

# What the users' home folders hold: names, modes, owners and contents (times are left out, as
# the chroot's tarball clamps them).
home_list='cd /home && find . -printf "%p %m %u\n" | sort && find . -type f -print0 | sort -z | xargs -0 md5sum'
# The user's home, and what it holds, recorded in the chroot before the package comes.
home_hook='chroot "$1" useradd --create-home --shell /bin/bash reader &&
    mkdir -p "$1/home/reader/.config/linkshelf" "$1/home/reader/Favorites" &&
    printf "[Options]\r\nPageTitle=Mine\r\n" >"$1/home/reader/.config/linkshelf/Linkshelf.lfs" &&
    printf "[InternetShortcut]\r\nURL=https://example.org/\r\n" >"$1/home/reader/Favorites/a.url" &&
    chroot "$1" chown -R reader:reader /home/reader &&
    chroot "$1" sh -c '"'$home_list'"' >"$1/root/home.list"'
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
# piuparts upgrades from the version that the chroot's package sources offer: the earlier one
# alone, from a folder of the chroot.
upgrade=(--no-upgrade-test)
earlier_hooks=()
if [ -n "$earlier" ]; then
    mkdir "$work/earlier"
    cp "$earlier" "$work/earlier/"
    (cd "$work/earlier" && apt-ftparchive packages . >Packages)
    upgrade=()
    earlier_hooks=(--customize-hook="copy-in $work/earlier /srv"
        --customize-hook='echo "deb [trusted=yes] file:///srv/earlier ./" >"$1/etc/apt/sources.list.d/earlier.list"')
fi
"${sudo[@]}" env TMPDIR="$work" mmdebstrap --variant=minbase --mode=root \
    --customize-hook="$home_hook" "${earlier_hooks[@]}" bookworm "$work/base.tar.gz" "${sources[@]}"

# After installation, the home folders are as they were.
mkdir "$work/scripts"
cat >"$work/scripts/post_install_home_untouched" <<SH
#!/bin/sh
($home_list) | diff /root/home.list - || {
    echo "FAIL: the installation changed the users' home folders"
    exit 1
}
SH
chmod +x "$work/scripts/post_install_home_untouched"

"${sudo[@]}" piuparts --basetgz="$work/base.tar.gz" --distribution=bookworm --keep-sources-list \
    --tmpdir="$work" --scriptsdir="$work/scripts" --pedantic-purge-test "${upgrade[@]}" \
    "${debs[@]}"
echo "The package installs${earlier:+, upgrades from $(basename "$earlier")}, removes and purges cleanly."
