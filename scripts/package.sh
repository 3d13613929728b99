#!/usr/bin/env bash
# Builds the Debian package: build-package/quillet2_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Debian's hardening flags (stack protector, fortified functions, read-only
# relocations bound at start), as Debian's own packages are built; given on
# every run, since a folder configured before keeps the flags it was made with.
# The package strips the program, so no debugging information is compiled
# only to be thrown away; and Debian's -O2 is the optimization, without the
# -O3 CMake's release type would add after it.
eval "$(DEB_CXXFLAGS_MAINT_STRIP=-g DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
source scripts/ninja-tree.sh
ninja_tree build-package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DQUILLET2_TESTS=OFF \
  -DQUILLET2_BENCH=OFF -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build build-package -j"$(nproc)"
rm -f build-package/quillet2_*.deb
(cd build-package && cpack -G DEB)
ls build-package/quillet2_*.deb
