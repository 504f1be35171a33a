#!/usr/bin/env bash
# Draws the front-panel pictures into a prefix's bitmap folder,
# <prefix>/drive_c/Zorvane/GraphView/, where the program reads "C:\Zorvane\GraphView\".
# usage: install-panel-art.sh [prefix]   (default: the program's own prefix)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${ZV_BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
prefix="${1:-${ZORVANE_PREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/zorvane}}"
tool="$build/tools/panel-art/zorvane-panel-art"
if [ ! -x "$tool" ]; then
  echo "install-panel-art: $tool is not built yet (scripts/build.sh)" >&2
  exit 1
fi
exec "$tool" --prefix "$prefix"
