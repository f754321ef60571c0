#!/usr/bin/env bash
# Set-up, build, and Tavrel run on the demo game, made under build/default/demo
# when it is missing: prints the outline of the demo car (or of the shape file
# given) and writes a glTF of it, with its textures, beside the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
cli="$PWD/build/default/src/cli/tavrel-cli"
demo=build/default/demo
[ -f "$demo/zav.exe" ] || "$cli" make-demo "$demo"
if [ $# -gt 0 ]; then
  file="$(realpath "$1")"
  # The outline reads texture.cfg from the working directory, as the program does.
  (cd "$demo" && "$cli" outline "$file")
  "$cli" export-gltf "$file" "$demo" build/default/demo-car.gltf
else
  (cd "$demo" && "$cli" outline cars/demo.cs3)
  # From the executable the car comes with its tyres, helmet, cockpit and steering wheel.
  "$cli" export-gltf --exe "$demo/zav.exe" --patch-level 0 "$demo" build/default/demo-car.gltf
fi
echo "glTF of the car: build/default/demo-car.gltf (textures beside it)"
