#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and tests each commit of BASE..HEAD, oldest first, in a temporary worktree; one build
# folder serves them all, so each build after the first is incremental. Stops at the first commit
# that does not build or whose tests fail, and names it. Uncommitted changes play no part.
# Usage: scripts/check-commits.sh BASE
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BASE" >&2; exit 2; }
cd "$(dirname "$0")/.."
git rev-parse --verify --quiet "$1^{commit}" >/dev/null || { echo "not a commit: $1" >&2; exit 2; }
mapfile -t commits < <(git rev-list --reverse "$1..HEAD")
[ ${#commits[@]} -gt 0 ] || { echo "No commits in $1..HEAD."; exit 0; }
scripts/install-deps.sh --test

work=$(mktemp -d)
# Some tests run the built program as an unprivileged user, who must reach it.
chmod 755 "$work"
tree=$work/tree
cleanup() {
    git worktree remove --force "$tree" 2>/dev/null || true
    rm -rf "$work"
    git worktree prune
}
trap cleanup EXIT
trap 'exit 130' INT TERM
git worktree add --quiet --detach "$tree" "${commits[0]}"

for commit in "${commits[@]}"; do
    name=$(git log -1 --format='%h "%s"' "$commit")
    echo "== $name"
    git -C "$tree" checkout --quiet --detach "$commit"
    if ! "$tree/scripts/build.sh" "$work/build"; then
        echo "FAILED: $name does not build." >&2
        exit 1
    fi
    if ! ctest --test-dir "$work/build" --output-on-failure -j2; then
        echo "FAILED: the tests of $name fail." >&2
        exit 1
    fi
done
echo "Each of the ${#commits[@]} commits of $1..HEAD builds and passes its tests."
