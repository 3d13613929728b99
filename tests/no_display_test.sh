#!/usr/bin/env bash
# Runs the program where no display can be reached: help and version are
# printed, and a mistake in the options is reported with exit code 1 rather
# than ending in the window system's error.
set -u
program=$1
failed=0
expect() {
  local code=$1 text=$2
  shift 2
  local output status
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QUILLET2_LANG=ja "$program" "$@" 2>&1)
  status=$?
  if [ "$status" -ne "$code" ] || [[ "$output" != *"$text"* ]]; then
    echo "quillet2 $*: exit $status (want $code), output: $output" >&2
    failed=1
  fi
}
expect 1 "bogus" --bogus
expect 1 "--lang には en か ja を指定してください" --lang fr
expect 0 "Quillet2 Ver" --version
expect 0 "FILE" --help
exit $failed
