#!/usr/bin/env bash
# Sets up and builds Reelwright with warnings as errors, runs every test with ctest (window tests
# offscreen), then builds and tests the core alone with the windows switched off, so that no widget
# dependency can creep into it.
set -euo pipefail
cd "$(dirname "$0")/.."
REELWRIGHT_CMAKE_ARGS="-DREELWRIGHT_WERROR=ON" scripts/setup.sh build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-core -G Ninja -DREELWRIGHT_WITH_WIDGETS=OFF -DREELWRIGHT_WERROR=ON
cmake --build build-core -j"$(nproc)"
ctest --test-dir build-core --output-on-failure -j2
