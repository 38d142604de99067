#!/usr/bin/env bash
# Installs every Debian package the project builds, tests and runs with.
# Idempotent: when everything is present it changes nothing.
set -euo pipefail

PACKAGES=(
  # toolchain and test frameworks
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  # GUI
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6
  libgl-dev
  # imaging
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev libopencv-videoio-dev
  libraw-dev libsane-dev sane-utils libsane1
  # end-to-end tests and inspection
  xvfb xauth xdotool x11-utils poppler-utils fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
