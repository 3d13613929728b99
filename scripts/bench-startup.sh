#!/usr/bin/env bash
# Measures start-up to the first visible window and exit after Ctrl+Q (after
# a copy), on a private Xvfb, with a Release build in build-rel (or $QUILLET2_BENCH_BUILD). When mtPaint
# (Debian's mtpaint) is installed, the two programs start in turn, 15 times
# each, and the ratio of the medians is printed.
# Usage: scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${QUILLET2_BENCH_BUILD:-build-rel}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLET2_TESTS=OFF -DQUILLET2_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target quillet2 bench_first_window >/dev/null
work=$(mktemp -d /tmp/quillet2-bench-XXXXXX)
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Both programs start as a first-time user would: no settings of their own.
export DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
others=()
if command -v mtpaint >/dev/null; then others=(-- mtpaint); else echo "mtpaint is not installed: no ratio"; fi
"$build"/bin/bench_first_window start "$runs" "$build"/bin/quillet2 "${others[@]}"
cp tests/data/icon_corpus/one_16.ico "$work/copy.ico"
"$build"/bin/bench_first_window exit "$runs" "$build"/bin/quillet2 "$work/copy.ico"
