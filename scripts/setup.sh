#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent and quiet when everything is there already.
set -euo pipefail

PACKAGES=(
  cmake g++ ninja-build ccache pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libxkbcommon-dev libvulkan-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  poppler-utils
  python3-serial
  libzip-dev libxlsxwriter-dev libfreexl-dev mdbtools-dev
  python3-xlwt
  xvfb xdotool
)
PACKAGES+=("$@")

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
