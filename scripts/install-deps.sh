#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Linkshelf needs to build, run and test, skipping those present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgtest-dev
    libgumbo-dev libsqlite3-dev liblz4-dev libglib2.0-dev zlib1g-dev
    qt6-wayland fonts-wqy-microhei
    xdg-utils
)
# --test: what the test suite needs besides the build (the hostile-tree test measures peak
# memory with GNU time, the page test opens pages in Chromium, the refresh tests check the
# systemd units with systemd-analyze and run them under a user manager of their own, the change
# test kills the program with strace in the middle of a batch, the Trash test restores what the
# program moved there with gio and GLib's trash backend (gvfs), the accessibility test walks the
# wizard on a display and an AT-SPI bus of its own, the import tests compress Firefox backups
# with lz4 and read each format again with Python, and the export test reads the files with
# Python's parsers and validates XBEL with xmllint); --package:
# what the Debian package's build (all its Build-Depends, as its build runs the suite) and checks
# need (lintian; blhc and hardening-check for the hardening flags; faketime, every locale and
# diffoscope for the second build of the reproducibility check); --chroot: what makes the clean
# chroots of the build, the package's own tests (autopkgtest) and the install and purge test
# (piuparts, with apt-ftparchive for an earlier version to upgrade from); --bench: what bench/
# needs to generate trees, time and profile, and to drive Chromium through the npm packages kept
# in bench/package.json (the page test validates the page and checks its accessibility with two
# of them, so --test installs them too), and linkinator (with the Node.js it needs) for the
# side-by-side link check; --lint: the formatter, the static checks and the translation gate.
case "${1:-}" in
--test)
    packages+=(clang libclang-rt-dev time chromium sqlite3 nodejs systemd strace gvfs
        xvfb dbus-x11 at-spi2-core python3-pyatspi lz4 python3 libxml2-utils)
    ;;
--package)
    packages+=(time sqlite3 systemd strace lz4 python3 libxml2-utils qt6-tools-dev qt6-l10n-tools
        build-essential dpkg-dev debhelper lintian desktop-file-utils appstream shared-mime-info
        blhc devscripts faketime locales-all diffoscope-minimal)
    ;;
--bench) packages+=(python3 time valgrind chromium nodejs) ;;
--lint) packages+=(clang-format clang-tidy python3) ;;
--chroot) packages+=(mmdebstrap autopkgtest piuparts apt-utils) ;;
esac
# npm and Java, unless some other package already brings them (a Node.js of its own bundles npm
# and refuses Debian's).
case "${1:-}" in
--test | --bench)
    command -v npm >/dev/null || packages+=(npm)
    command -v java >/dev/null || packages+=(default-jre-headless)
    ;;
esac

# linkinator as bench/linkinator/package-lock.json pins it, into bench/linkinator/node_modules.
install_linkinator() {
    [ "${1:-}" = --bench ] || return 0
    local folder
    folder="$(dirname "$0")/../bench/linkinator"
    [ -x "$folder/node_modules/.bin/linkinator" ] && [ -x "$folder/node_modules/.bin/node" ] && return 0
    (cd "$folder" && npm ci --no-audit --no-fund)
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing these Debian packages with apt-get${sudo:+ (through sudo)}: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # Another installation under way is waited for, not taken for a failure.
    apt=("${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600)
    if ! "${apt[@]}" install -y --no-install-recommends "${missing[@]}"; then
        "${apt[@]}" update
        "${apt[@]}" install -y --no-install-recommends "${missing[@]}"
    fi
fi

# The npm packages, at the versions of the lock file; their install scripts are not run (the
# validator's would download a Java of its own, where the system's serves).
case "${1:-}" in
--test | --bench)
    bench=$(dirname "$0")/../bench
    if ! (cd "$bench" && npm ls --silent >/dev/null 2>&1); then
        echo "Installing the npm packages the page test drives Chromium with, at the versions of" \
            "bench/package-lock.json, into bench/node_modules:" \
            "$(sed -n 's/^ *"\([a-z-]*\)": "[0-9.]*",\?$/\1/p' "$bench/package.json" | tr '\n' ' ')"
        (cd "$bench" && npm ci --ignore-scripts --no-audit --no-fund --silent)
    fi
    ;;
esac
install_linkinator "${1:-}"
