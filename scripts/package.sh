#!/usr/bin/env bash
# Builds the Debian package: build-package/quillet2_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQUILLET2_TESTS=OFF -DQUILLET2_BENCH=OFF
cmake --build build-package -j"$(nproc)"
rm -f build-package/quillet2_*.deb
(cd build-package && cpack -G DEB)
ls build-package/quillet2_*.deb
