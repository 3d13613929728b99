#!/usr/bin/env bash
# Builds the Debian package: build-package/quillet2_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Debian's hardening flags (stack protector, fortified functions, read-only
# relocations bound at start), as Debian's own packages are built; given on
# every run, since a folder configured before keeps the flags it was made with.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQUILLET2_TESTS=OFF -DQUILLET2_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build build-package -j"$(nproc)"
rm -f build-package/quillet2_*.deb
(cd build-package && cpack -G DEB)
ls build-package/quillet2_*.deb
