# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: a work folder removed at the end, the count of failed
# checks, and the way the program is given a clean environment. Sourced, not run.

# The work folder must be reachable by an unprivileged user for the permission cases.
work=$(mktemp -d)
chmod 755 "$work"
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

# A clean environment for the program, but a sanitizer build keeps reporting where it was told.
# Its system data folders are the work folder's own: a program whose folder the user may not
# write looks for its template there before its own folder, and would otherwise take the
# shipped template of a Linkshelf installed on the machine (/usr/share/linkshelf).
sanitizer_options=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -n "${!name:-}" ] && sanitizer_options+=("$name=${!name}")
done
# The program speaks the language of $LANGUAGE, which comes before the locale (and Qt sorts names
# in that language's order): Chinese, its own language, unless a check asks for English.
clean_env=(env -i HOME="$work/home" XDG_DATA_DIRS="$work/system-data" PATH="$PATH" LC_ALL=C.UTF-8
    LANGUAGE=zh_CN "${sanitizer_options[@]}")
english_env=("${clean_env[@]}" LANGUAGE=en_US)

# The system's words for an error number, in the language the program run in clean_env uses.
system_reason() { # errno
    "${clean_env[@]}" perl -MPOSIX -e 'setlocale(LC_ALL, ""); print strerror(shift)' "$1"
}

# For the scripts that change a tree Fav in the work folder: every file of it with its bytes'
# checksum (what the user would lose), and a run of the program in English with a Trash and a
# journal of the work folder's own.
snapshot() { (cd "$work" && find Fav -type f -exec md5sum {} + | sort -k2); }
env_for_run=("${english_env[@]}" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state")
run_with_own_trash() { # arguments...; sets status and out
    out=$("${env_for_run[@]}" timeout 60 "$program" "$@" 2>"$work/err")
    status=$?
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expect_eq() { # what, expected, actual
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

shortcut() { # path url
    mkdir -p "$(dirname "$1")"
    printf '[InternetShortcut]\r\nURL=%s\r\n' "$2" >"$1"
}

finish() { # what was checked
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all $1 checks passed"
}
