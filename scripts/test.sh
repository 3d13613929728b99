#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test headless. Any sanitizer
# report fails the run. It also builds the Debian package and checks the
# installed program (scripts/check-install.sh) and builds and briefly runs
# the fuzz targets (scripts/fuzz-smoke.sh) before the tests run, so that the
# test summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
# Line tables are all a sanitizer report needs for its file and line
# numbers; full debugging information would make every object and test
# program several times larger, and slower to write, link and load.
source scripts/ninja-tree.sh
ninja_tree build-test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQUILLET2_SANITIZE=ON -DQUILLET2_TESTS=ON \
  -DQUILLET2_BENCH=ON
cmake --build build-test -j"$(nproc)"
scripts/check-install.sh
# The fuzz targets, built with clang and run for a few seconds each.
scripts/fuzz-smoke.sh 5
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-test --output-on-failure --no-label-summary -j"$(nproc)"
