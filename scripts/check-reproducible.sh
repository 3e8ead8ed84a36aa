#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows that the package builds reproducibly: builds the source package of a finished build
# (scripts/package.sh's) once more with a different build path, clock, time zone, locale, umask
# and user, and compares each .deb with the first build's byte for byte. Where they differ,
# diffoscope says where, and the check fails. The second build leaves out the test suite (the
# nocheck option), which the first build ran and which must not change what is built.
# Usage: scripts/check-reproducible.sh linkshelf_VERSION_ARCH.changes
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 linkshelf_VERSION_ARCH.changes" >&2; exit 2; }
changes=$(realpath "$1")
first=$(dirname "$changes")
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

# The files the .changes lists, by the ending of their names.
listed() { # ending
    sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* [^ ]* [^ ]* //p' "$changes" | grep -- "$1\$" || true
}
dsc=$(listed .dsc)
debs=$(listed .deb)
[ -n "$dsc" ] && [ -n "$debs" ] || { echo "$changes lists no source or no .deb." >&2; exit 1; }

# Each variation differs from this environment, where the first build ran.
tz=Pacific/Kiritimati
[ "${TZ:-}" = "$tz" ] && tz=America/Anchorage
locale=fr_CH.UTF-8
[ "${LC_ALL:-${LANG:-}}" = "$locale" ] && locale=ja_JP.UTF-8
mask=0002
[ "$(umask)" = "$mask" ] && mask=0077
clock=+398d

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A longer path at another depth than the first build's.
build=$work/a-different-build-path/linkshelf-$(sed -n 's/^Version: //p' "$first/$dsc")
mkdir -p "$(dirname "$build")" "$work/home"
dpkg-source --no-check -x "$first/$dsc" "$build" >/dev/null
# As another user where this one can switch users (root builds as nobody), else under another
# name alone.
user=linkshelf-builder
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    user=nobody
    chown -R nobody:nogroup "$work"
    chmod 755 "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

echo "Second build in $build, as $user, $clock on the clock, TZ=$tz, LC_ALL=$locale, umask $mask"
(cd "$build" && umask "$mask" &&
    "${as_user[@]}" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home" USER="$user" \
        LOGNAME="$user" TZ="$tz" LC_ALL="$locale" LANG="$locale" \
        DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" DEB_BUILD_PROFILES=nocheck \
        faketime -f "$clock" dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1 ||
    { tail -n 50 "$work/build.log"; echo "The second build failed." >&2; exit 1; }

differ=0
for deb in $debs; do
    if cmp -s "$first/$deb" "$(dirname "$build")/$deb"; then
        echo "identical: $deb"
    else
        echo "DIFFERENT: $deb"
        differ=1
        diffoscope --no-progress "$first/$deb" "$(dirname "$build")/$deb" || true
    fi
done
[ "$differ" -eq 0 ] || { echo "The two builds are not the same." >&2; exit 1; }
echo "Both builds give byte-identical packages."
