#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test headless. Any sanitizer
# report fails the run. It also builds the Debian package and checks the
# installed program (scripts/check-install.sh) and, at the same time, builds
# and briefly runs the fuzz targets (scripts/fuzz-smoke.sh), before the tests
# run, so that the test summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
# Line tables are all a sanitizer report needs for its file and line
# numbers; full debugging information would make every object and test
# program several times larger, and slower to write, link and load.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQUILLET2_SANITIZE=ON -DQUILLET2_TESTS=ON \
  -DQUILLET2_BENCH=ON
cmake --build build-test -j"$(nproc)"
# The package check and the fuzz targets (built with clang and run for a few
# seconds each) go side by side: each leaves a core idle for much of its
# time (configuring, cpack and lintian; each fuzz target is one process).
# The fuzz side runs at a lower priority, so that the package check's
# drive of the installed program keeps its pace. The package check's output
# follows when both are done.
check_log=$(mktemp /tmp/quillet2-check-install-XXXXXX)
scripts/check-install.sh >"$check_log" 2>&1 &
check=$!
trap 'kill "$check" 2>/dev/null || true; rm -f "$check_log"' EXIT
fuzz_status=0
nice -n 10 scripts/fuzz-smoke.sh 5 || fuzz_status=$?
check_status=0
wait "$check" || check_status=$?
cat "$check_log"
[ "$check_status" -eq 0 ] || { echo "scripts/check-install.sh failed" >&2; exit "$check_status"; }
[ "$fuzz_status" -eq 0 ] || { echo "scripts/fuzz-smoke.sh failed" >&2; exit "$fuzz_status"; }
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
