#!/usr/bin/env bash
# Installs what is missing, builds what the program needs (the program, the
# simulated instrument and the front-panel pictures; ./test.sh builds the rest),
# draws the pictures into the program's folder, starts the simulated instrument
# as COM1 (ZV_SIM_PORT to change it) and then the program. The simulator ends
# with the program.
# usage: run.sh [--no-sim] [program arguments]
#   --no-sim   a real instrument: start the program alone, without the simulator
set -euo pipefail
cd "$(dirname "$0")"
SIM=1
if [ "${1:-}" = "--no-sim" ]; then
  SIM=0
  shift
fi
scripts/setup.sh
scripts/build.sh --target zorvane zorvane-sim zv_panel_art_files
BUILD_DIR=${ZV_BUILD_DIR:-build}
tools/panel-art/install-panel-art.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found (DISPLAY is not set): the program needs a desktop session." >&2
  exit 1
fi

if [ "$SIM" = 1 ]; then
  PORT=${ZV_SIM_PORT:-1}
  "$BUILD_DIR/tools/instrument-sim/zorvane-sim" --port "$PORT" --model ZVE &
  SIM_PID=$!
  trap 'kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
  echo "Simulated instrument on COM$PORT."
fi
"$BUILD_DIR/main/zorvane" "$@"
