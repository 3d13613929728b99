#!/usr/bin/env bash
# Starts and closes the program several times under a real window manager
# (openbox on Xvfb) and checks that the place and size it writes on closing
# give the same window at the next start: the window must neither creep by
# its frame nor wander, and a place off every screen must bring it back onto
# one.
#
# Usage: scripts/check-window-place.sh PROGRAM SETTINGS-FILE [RUNS]
# The program must keep its settings in SETTINGS-FILE (set XDG_CONFIG_HOME
# for an installed program; a program copied into a folder of its own keeps
# them beside itself).
set -euo pipefail
program=$1
ini=$2
runs=${3:-5}
fail() { echo "check-window-place: $*" >&2; exit 1; }
command -v Xvfb >/dev/null || fail "Xvfb is missing (scripts/install-deps.sh)"
command -v openbox >/dev/null || fail "openbox is missing (scripts/install-deps.sh)"

work=$(mktemp -d /tmp/quillet2-place-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it to the pipe.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 -u "$fd" number || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$number"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# The window manager is running once it has announced itself on the root.
for _ in $(seq 1 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.2
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "openbox did not start"

value() { sed -n "s/^$1=//p" "$ini" | tr -d '\r'; }
placement() { echo "$(value pos_x),$(value pos_y) $(value siz_x)x$(value siz_y)"; }

# Starts the program, waits until its window is shown and managed, and
# closes it through the file menu so that it writes its settings.
start_and_close() {
  QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
  local pid=$!
  local window=""
  # Searching again and again rather than with --sync: windows that come and
  # go meanwhile make a waiting search fail.
  for _ in $(seq 1 60); do
    window=$(xdotool search --onlyvisible --name '^Quillet2$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || { kill "$pid"; fail "no main window: $(cat "$work/program.log")"; }
  sleep 1
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key --clearmodifiers x
  for _ in $(seq 1 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not close"; }
  wait "$pid" || fail "the program ended with an error: $(cat "$work/program.log")"
}

mkdir -p "$(dirname "$ini")"
printf '[WINDOW]\npos_x=150\npos_y=120\nsiz_x=800\nsiz_y=600\n[FLAG]\nstatusWndFlag=1\ngrid=1\n' >"$ini"
expected="150,120 800x600"
for run in $(seq 1 "$runs"); do
  start_and_close
  got=$(placement)
  echo "check-window-place: run $run wrote $got"
  [ "$got" = "$expected" ] || fail "run $run wrote $got, the window started as $expected"
done

# A place on no screen at all (a screen that was unplugged) brings the window
# back onto the screen, and from then on it stays where it is.
printf '[WINDOW]\npos_x=4000\npos_y=-3000\nsiz_x=700\nsiz_y=500\n' >"$ini"
start_and_close
read -r x y < <(echo "$(value pos_x) $(value pos_y)")
[ "$x" -ge 0 ] && [ "$x" -lt 1280 ] && [ "$y" -ge 0 ] && [ "$y" -lt 1024 ] ||
  fail "a window placed off the screen started at $x,$y"
back=$(placement)
start_and_close
[ "$(placement)" = "$back" ] || fail "after coming back on screen at $back the window moved to $(placement)"
echo "check-window-place: $runs runs under openbox kept the window at $expected; off-screen came back at $back"
