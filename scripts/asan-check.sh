#!/usr/bin/env bash
# The windowless tests and a minute of the monkey under AddressSanitizer and
# UndefinedBehaviorSanitizer with the library's bounds checks (preset asan), so a
# read outside a table fails instead of passing silently.
set -euo pipefail
cd "$(dirname "$0")/.."
windowless=(tavrel_base_tests tavrel_shape_tests tavrel_textures_tests tavrel_cli_tests tavrel_demo_tests
            tavrel_document_tests tavrel_scene_tests tavrel_layers_tests tavrel-cli)
cmake --preset asan >/dev/null
cmake --build --preset asan --target "${windowless[@]}" tavrel_monkey
bash scripts/install-gltf-validator.sh build/asan/gltf-validator
# The desktop program's cases are left to the optimised build: under the
# sanitizers its software GL takes minutes a picture.
ctest --preset asan --label-exclude "gui|gl|blender" --exclude-regex "_NOT_BUILT|_without_display"
# Leak reports at exit come from the system's libraries the toolkit loads.
ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1280x900x24" build/asan/tests/monkey/tavrel_monkey \
  --seed 20261211 --seconds 60
