#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exit code is the result.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
cd "${ZV_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" "$@"
