#!/usr/bin/env bash
# Sets everything up, builds, and starts the program window on the bundled example data.
# Without a display the window runs under a virtual X server and a screenshot of it is saved.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target Morvex2 morvex2-cli

./build/release/cli/morvex2-cli info examples/specimens.lmk

program=./build/release/workspace/Morvex2
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" examples/specimens.lmk
fi
shot="$PWD/build/release/morvex2-example.png"
rm -f "$shot"
MORVEX_SCREENSHOT="$shot" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$program" examples/specimens.lmk
if [ -s "$shot" ]; then
  echo "No display here: the program ran under Xvfb; its window is in $shot"
else
  echo "The program ran under Xvfb but left no screenshot" >&2
  exit 1
fi
