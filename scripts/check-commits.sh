#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks each commit of BASE..HEAD, oldest first: its subject is at most 72 characters, and it
# builds and passes its tests in a temporary worktree (one build folder serves them all, so each
# build after the first is incremental). Stops at the first commit that fails, and names it.
# Uncommitted changes play no part. The subjects of the history up to f00d0a7 are what they are
# (published commits are not rewritten), so only commits after it are held to the length.
# Usage: scripts/check-commits.sh BASE
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BASE" >&2; exit 2; }
cd "$(dirname "$0")/.."
git rev-parse --verify --quiet "$1^{commit}" >/dev/null || { echo "not a commit: $1" >&2; exit 2; }
mapfile -t commits < <(git rev-list --reverse "$1..HEAD")
[ ${#commits[@]} -gt 0 ] || { echo "No commits in $1..HEAD."; exit 0; }

max_subject=72
# The last commit whose history may keep longer subjects.
long_subjects_until=f00d0a7
for commit in "${commits[@]}"; do
    if git merge-base --is-ancestor "$commit" "$long_subjects_until" 2>/dev/null; then
        continue
    fi
    subject=$(git log -1 --format=%s "$commit")
    length=$(printf %s "$subject" | LC_ALL=C.UTF-8 wc -m)
    if [ "$length" -gt "$max_subject" ]; then
        echo "FAILED: $(git log -1 --format=%h "$commit") has a subject of $length" \
            "characters (at most $max_subject): $subject" >&2
        exit 1
    fi
done
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
