#!/usr/bin/env bash
# Sets everything up, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET2_TESTS=OFF
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program inside Xvfb on :99." >&2
  exec xvfb-run -n 99 -s "-screen 0 1280x1024x24" build/bin/quillet2
fi
exec build/bin/quillet2
