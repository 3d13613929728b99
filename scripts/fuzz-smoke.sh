#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each briefly on its
# corpus, so that they keep building and the corpus keeps passing. A crash,
# a leak or a sanitizer report fails the run. The time per target is the
# first argument in seconds (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
build=fuzz-build
# A few seconds of fuzzing need no full optimization: -O1 with line tables
# builds in much less time and still names the line of any finding.
source scripts/ninja-tree.sh
ninja_tree "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" -DQUILLET2_TESTS=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$build" -j"$(nproc)" --target icon_reader_fuzz import_fuzz palette_reader_fuzz ani_reader_fuzz \
  recovery_reader_fuzz
export QT_QPA_PLATFORM=offscreen
root=$(pwd)
run() {
  local target=$1
  shift
  local corpus=() scratch
  for folder in "$@"; do corpus+=("$root/$folder"); done
  scratch=$(mktemp -d)
  echo "fuzzing $target for $seconds s"
  # New inputs go to a scratch folder; the corpus folders stay as they are.
  if ! (cd "$scratch" && "$root/$build/bin/$target" "$scratch" "${corpus[@]}" -max_total_time="$seconds" \
          >"$scratch/log" 2>&1); then
    tail -n 40 "$scratch/log"
    echo "$target failed; its log and the input that failed are in $scratch"
    return 1
  fi
  grep -E '^(Done|#[0-9]+.*DONE)' "$scratch/log" | tail -n 1 || true
  rm -rf "$scratch"
}
run icon_reader_fuzz tests/data/icon_corpus
run import_fuzz tests/data/import_corpus tests/data/import
run palette_reader_fuzz tests/data/palette_corpus
run ani_reader_fuzz tests/data/ani_corpus
run recovery_reader_fuzz tests/data/recovery_corpus
