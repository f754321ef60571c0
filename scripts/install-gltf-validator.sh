#!/usr/bin/env bash
# Installs the pinned Khronos glTF validator from the npm registry into the
# folder given (the tests run it from build/default/gltf-validator); quick when
# that version is there already.
set -euo pipefail
dir="$1"
version="2.0.0-dev.3.10"
manifest="$dir/node_modules/gltf-validator/package.json"
if [ -f "$manifest" ] && grep -q "\"version\": \"$version\"" "$manifest"; then exit 0; fi
npm install --no-audit --no-fund --no-save --loglevel=error --prefix "$dir" "gltf-validator@$version"
