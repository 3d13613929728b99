#!/usr/bin/env bash
# Runs inside xvfb-run for check-install.sh: starts the installed program,
# checks that its icon was found, creates a 16-colour tab (which reads the
# default palette) with Ctrl+N and Enter, and closes the window through the
# file menu so that the settings are written.
set -euo pipefail
program=$1
work=$2
fail() { echo "drive-installed: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

# The xcb platform, whatever the test run chose for its own programs, and
# Japanese, whatever the desktop's language, for the captions looked for below.
QT_QPA_PLATFORM=xcb QUILLET2_LANG=ja "$program" >"$work/program.log" 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillet2$' | head -n 1) || fail "no main window"
# Qt sets the window's icon property only when ICON/quillet2.ico was found.
xprop -id "$window" _NET_WM_ICON | grep -q 'Icon' || fail "the program's icon was not found"

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+n
timeout 15 xdotool search --sync --onlyvisible --name '^新規タブ作成$' >/dev/null || fail "Ctrl+N opened no new-tab dialog"
xdotool key --clearmodifiers Return
sleep 2
# A missing default palette would be reported in a box of its own.
if xdotool search --onlyvisible --name '^報告$' >/dev/null 2>&1; then fail "a report box appeared: palette not found?"; fi

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 1
xdotool key --clearmodifiers x
for _ in $(seq 1 30); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not close"
wait "$pid" || fail "the program ended with an error: $(cat "$work/program.log")"
