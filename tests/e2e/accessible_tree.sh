#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The wizard as a screen reader sees it: the program runs on a display of its own with Qt's
# accessibility on, beside a private session bus and accessibility bus, and accessible_tree.py
# walks its pages and the dialogs of its Options menu. Skipped (77) where those cannot run.
# Usage: accessible_tree.sh <linkshelf binary> <source folder>
set -uo pipefail
program=$1
source=$2
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-launch; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: no at-spi-bus-launcher"; exit 77; }
# Debian's Python, which python3-pyatspi is for, even where another python3 comes first.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: no python3-pyatspi"; exit 77; }

# The rest runs on a display of its own. The display must not reset when its last client leaves
# (dbus-launch's, say): a wizard that connects during a reset finds no display.
if [ "${LINKSHELF_ON_OWN_DISPLAY:-}" != 1 ]; then
    exec env LINKSHELF_ON_OWN_DISPLAY=1 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' "$0" "$@"
fi
. "$here/common.sh"

# A portable copy of the program, so that what it writes on closing stays in the work folder.
mkdir -p "$work/program" "$work/home/Desktop" "$work/Fav"
cp "$program" "$work/program/linkshelf"
cp "$source/data/Linkshelf.lft" "$work/program/"
shortcut "$work/Fav/a.url" "https://a.example/"
printf '[Options]\r\nSourceFolder=%s\r\nLaunchBrowser=0\r\n' "$work/Fav" >"$work/program/Linkshelf.lfs"

# A session bus and an accessibility bus of this test's own; the bus has no business with the
# display.
eval "$(env -u DISPLAY dbus-launch --sh-syntax)"
"$launcher" --launch-immediately &
bus_launcher=$!
trap 'kill "$bus_launcher" "$DBUS_SESSION_BUS_PID" 2>/dev/null; chmod -R u+rwx "$work"; rm -rf "$work"' EXIT

# On a real display libxkbcommon-x11 hands strndup a name without a final NUL, which
# AddressSanitizer's strict string checks take for an overflow in the library.
xcb_asan=()
[ -n "${ASAN_OPTIONS:-}" ] && xcb_asan=("ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0")

walk() { # LANGUAGE of the program, language of the walker
    "${clean_env[@]}" "${xcb_asan[@]}" LANGUAGE="$1" DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" \
        DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        "$work/program/linkshelf" 2>"$work/wizard.err" &
    local wizard=$!
    "$python" "$here/accessible_tree.py" "$2" ||
        fail "accessible tree in $1; the wizard said: $(cat "$work/wizard.err")"
    kill "$wizard" 2>/dev/null
    wait "$wizard" 2>/dev/null
}

walk zh_CN zh
walk en_US en
finish "accessible tree"
