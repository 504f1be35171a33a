#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
BUILD_DIR=${ZV_BUILD_DIR:-build}
if [ ! -x "$BUILD_DIR/main/zorvane" ]; then
  echo "The program is not built yet (no main window in this checkout)." >&2
  exit 1
fi
exec "$BUILD_DIR/main/zorvane" "$@"
