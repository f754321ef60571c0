#!/usr/bin/env bash
# Set-up, build, and Tavrel run on the given shape file, or on the sample car the
# build makes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
file="${1:-build/default/sample.cs3}"
build/default/src/cli/tavrel-cli dump "$file"
