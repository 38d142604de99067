#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds every layer and runs every test,
# then builds the standard-library layers once more with AddressSanitizer + UBSan
# (and the fuzz targets) and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset dev
cmake --build --preset dev -j2
ctest --preset dev -j2

cmake --preset asan
cmake --build --preset asan -j2
ctest --preset asan

# The optimised build that the run command starts must compile as well.
cmake --preset release
cmake --build --preset release -j2 --target Morvex2 morvex2-cli
