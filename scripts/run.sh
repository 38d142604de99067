#!/usr/bin/env bash
# Sets everything up, builds, and runs the program's main job on the bundled example data.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target morvex2-cli

./build/release/cli/morvex2-cli info examples/*.lmk
