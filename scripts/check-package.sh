#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a build the way a distribution's archive would: lintian on the .changes (the source
# package and the binary ones), failing on errors and warnings and reporting the pedantic and
# informational tags too; blhc on the build's log, for every compiler and linker call without a
# hardening flag; hardening-check on the program; the desktop entry and the AppStream record it
# installs with their own validators (the record pedantically, as software centres read it), and
# the type of settings files that the desktop entry opens.
# Usage: scripts/check-package.sh linkshelf_VERSION_ARCH.changes
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 linkshelf_VERSION_ARCH.changes" >&2; exit 2; }
changes=$(realpath "$1")
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

lintian --fail-on error,warning --display-info --pedantic "$changes"
# PIE is the compiler's own default here, so the log names no flag for it: hardening-check finds
# it in the program.
blhc "${changes%.changes}.build"
package=$(dirname "$changes")/$(sed -n '/^Files:/,/^[^ ]/s/^ [^ ]* [^ ]* [^ ]* [^ ]* //p' \
    "$changes" | grep '^linkshelf_.*\.deb$')

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$package" "$contents"
# Control-flow protection is left out: no program can show it on Debian 12, whose C library's
# start files lack the marking that the linker needs from every part of the program.
hardening-check --nocfprotection "$contents/usr/bin/linkshelf"
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
echo "The packages, the build's flags, the program's hardening, its desktop entry, its AppStream"
echo "record and its MIME type are clean."
