#!/usr/bin/env bash
# Configures and builds into build/ (ccache keeps rebuilds fast). Configuring
# every time picks up code folders that appeared since the last build.
# --clang (first argument) builds with clang++ into build-clang/ instead.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${ZV_BUILD_DIR:-build}
COMPILER=()
if [ "${1:-}" = "--clang" ]; then
  shift
  BUILD_DIR=${ZV_BUILD_DIR:-build-clang}
  COMPILER=(-DCMAKE_CXX_COMPILER=clang++)
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${COMPILER[@]}" > "$BUILD_DIR.configure.log" 2>&1 \
  || { cat "$BUILD_DIR.configure.log"; exit 1; }
cmake --build "$BUILD_DIR" -j "${ZV_JOBS:-$(nproc)}" "$@"
