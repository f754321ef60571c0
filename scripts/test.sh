#!/usr/bin/env bash
# Set-up, build, the code gates and every test: the optimised build's, then the
# windowless tests and the monkey under the sanitizers, then each fuzz target for
# a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/install-gltf-validator.sh build/default/gltf-validator
# Warnings are errors here, so none slips into main.
cmake --preset default -DTAVREL_WERROR=ON
cmake --build --preset default
bash scripts/lint.sh
ctest --preset default
bash scripts/asan-check.sh
bash scripts/fuzz-smoke.sh build/default/src/cli/tavrel-cli 5
