#!/usr/bin/env bash
# Installs what is missing, builds, draws the front-panel pictures into the
# program's folder, starts the simulated instrument as COM1 (ZV_SIM_PORT to
# change it) and then the program. The simulator ends with the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
BUILD_DIR=${ZV_BUILD_DIR:-build}
tools/panel-art/install-panel-art.sh

PORT=${ZV_SIM_PORT:-1}
"$BUILD_DIR/tools/instrument-sim/zorvane-sim" --port "$PORT" --model ZVE &
SIM_PID=$!
trap 'kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
echo "Simulated instrument on COM$PORT."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set): the program needs a desktop session." >&2
  exit 1
fi
"$BUILD_DIR/main/zorvane" "$@"
