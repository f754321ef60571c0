#!/usr/bin/env bash
# What Tavrel writes, through Blender and back. The demo car's and helmet's
# WaveFront files, imported into Blender, two points moved there and exported,
# with Blender's default options, come back through import-obj as exactly
# those two moves; the demo's glTF arrives as eight meshes, four 256 x 256
# pictures and a car of about 1.9 x 5.0 x 1.0 metres.
#
#   tests/blender/round_trip.sh TAVREL_CLI
set -euo pipefail

cli="$1"
here="$(cd "$(dirname "$0")" && pwd)"
if ! command -v blender > /dev/null; then
  echo "blender is not installed (bash scripts/setup.sh installs it)" >&2
  exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Blender runs the system's Python, whichever python comes first on PATH.
export PATH="/usr/bin:$PATH"

blender_run() {
  blender --background --factory-startup --python-exit-code 1 --python "$@" > "$work/blender.log" 2>&1 ||
    { cat "$work/blender.log" >&2; return 1; }
}

# The same moves made on the text of a WaveFront file: INDEX:DX,DY,DZ, counted from 0.
move_vertex_lines() {
  local source="$1" out="$2"
  shift 2
  awk -v moves="$*" '
    BEGIN { n = split(moves, list, " "); for (i = 1; i <= n; ++i) { split(list[i], m, ":"); move[m[1]] = m[2] } }
    /^v / && (vertex in move) { split(move[vertex], d, ","); $2 += d[1]; $3 += d[2]; $4 += d[3] }
    /^v / { ++vertex }
    { print }' "$source" > "$out"
}

# Arguments: shape file, kind, moves.
round_trip() {
  local shape="$1" kind="$2"
  shift 2
  local name
  name="$(basename "$shape")"
  "$cli" export-obj "$shape" "$work/$name.obj" --kind "$kind"
  blender_run "$here/move_points.py" -- "$work/$name.obj" "$work/$name-blender.obj" "$@"
  "$cli" import-obj "$shape" "$work/$name-blender.obj" "$work/$name-back" --kind "$kind"
  move_vertex_lines "$work/$name.obj" "$work/$name-moved.obj" "$@"
  "$cli" import-obj "$shape" "$work/$name-moved.obj" "$work/$name-expected" --kind "$kind"
  if cmp -s "$shape" "$work/$name-expected"; then
    echo "$name: the moves changed nothing" >&2
    return 1
  fi
  cmp "$work/$name-expected" "$work/$name-back" || { echo "$name: Blender's file gives other bytes" >&2; return 1; }
  echo "$name: through Blender and back, the two points moved and every other byte kept"
}

"$cli" make-demo "$work/demo" > /dev/null
round_trip "$work/demo/cars/demo.cs3" car "10:100,0,0" "20:0,0,-50"
round_trip "$work/demo/cars/demo.ch3" helmet "3:100,0,0" "7:0,0,-50"

"$cli" export-gltf --exe "$work/demo/zav.exe" --patch-level 0 "$work/demo" "$work/car.gltf"
blender_run "$here/gltf_summary.py" -- "$work/car.gltf"
summary="$(grep -E '^(meshes|images|size):' "$work/blender.log")"
expected=$'meshes: 8\nimages: 256x256 256x256 256x256 256x256\nsize: 1.9 5.0 1.0'
if [ "$summary" != "$expected" ]; then
  printf 'The glTF file in Blender:\n%s\nexpected:\n%s\n' "$summary" "$expected" >&2
  exit 1
fi
echo "car.gltf: ${summary//$'\n'/, }"
