# SPDX-License-Identifier: GPL-3.0-or-later
# What the package's tests share: a home folder of their own under the test's temporary folder,
# the installed program run with a clean environment in it, and the checks' failure report.
set -u
tmp=${AUTOPKGTEST_TMP:-$(mktemp -d)}
home=$tmp/home
mkdir -p "$home/.config" "$home/Desktop"
printf 'XDG_DESKTOP_DIR="%s/Desktop"\n' "$home" >"$home/.config/user-dirs.dirs"
failures=0

# The installed program, as a user without a display would start it: no proxy, no display, the
# test's own home folder. The first arguments up to -- are extra variables of the environment.
run() {
    local vars=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        vars+=("$1")
        shift
    done
    shift
    out=$(cd "$home" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 LANGUAGE=en \
        "${vars[@]}" linkshelf "$@" 2>"$tmp/stderr")
    status=$?
    err=$(cat "$tmp/stderr")
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}

expect_in() { # what, part, text
    case $3 in *"$2"*) ;; *) fail "$1: [$2] not in [$3]" ;; esac
}

finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "ok"
}
