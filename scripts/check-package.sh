#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built package the way a distribution would: lintian on the package, the desktop
# entry and the AppStream record it installs with their own validators (the record pedantically,
# as software centres read it), and the type of settings files that the desktop entry opens.
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
appstreamcli validate --pedantic --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

# Each type the desktop entry opens is defined by the package, as a file manager reads it.
mime=$contents/mime
mkdir "$mime"
cp -r "$contents"/usr/share/mime/packages "$mime/"
update-mime-database "$mime" 2>/dev/null
for type in $(sed -n 's/^MimeType=//p' "$contents"/usr/share/applications/*.desktop | tr ';' ' '); do
    grep -qx "$type" "$mime/types" || { echo "The package does not define the type $type." >&2; exit 1; }
done
echo "The package, its desktop entry, its AppStream record and its MIME type are clean."
