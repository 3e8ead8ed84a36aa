#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built package the way a distribution would: lintian on the package, and the
# desktop entry and the AppStream record it installs with their own validators.
# Usage: scripts/check-package.sh linkshelf_VERSION_ARCH.deb
set -euo pipefail
package=$(realpath "$1")
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

lintian --fail-on error,warning "$package"

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$package" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml
echo "The package, its desktop entry and its AppStream record are clean."
