#!/usr/bin/env bash
# Set-up, build and every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/install-gltf-validator.sh build/default/gltf-validator
# Warnings are errors here, so none slips into main.
cmake --preset default -DTAVREL_WERROR=ON
cmake --build --preset default
ctest --preset default
