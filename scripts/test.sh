#!/usr/bin/env bash
# Set-up, build and every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
