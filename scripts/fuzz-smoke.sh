#!/usr/bin/env bash
# Builds every libFuzzer target and runs each for a few seconds on seeds taken
# from the demo game and a small JAM: scripts/fuzz-smoke.sh TAVREL_CLI [SECONDS].
# A crash, a leak or a sanitizer finding fails it; the input is left in
# fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(realpath "$1")"
seconds="${2:-5}"
bash scripts/setup.sh clang libclang-rt-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

seeds="$(mktemp -d)"
trap 'rm -rf "$seeds"' EXIT
"$cli" make-demo "$seeds/demo" >/dev/null
demo="$seeds/demo"
"$cli" export-ctf "$demo/cars/demo.cs3" "$seeds/demo.ctf" >/dev/null
"$cli" export-obj "$demo/cars/demo.cs3" "$seeds/demo.obj" >/dev/null
build/fuzz/fuzz/make_small_jam "$seeds/small.jam"
seed() {  # seed TARGET FILE...
  mkdir -p "$seeds/$1"
  cp "${@:2}" "$seeds/$1/"
}
seed camera_file "$demo/cars/demo.cam"
seed exe_import "$demo/zav.exe"
seed exe_patch "$demo/zav.exe"
seed jam "$seeds/small.jam" "$demo/zavjams/Main/Chassis3.jam" "$demo/zavjams/Liveries/Arrows98.jam"
# Listing a livery's outline takes long enough to leave few runs for the rest.
seed jam_outline "$seeds/small.jam" "$demo/zavjams/Main/Chassis3.jam"
seed obj_points "$seeds/demo.obj"
seed part_file "$demo/cars/demo.ch3" "$demo/cars/demo.st3" "$demo/cars/demo.ty3"
seed polygon_corners "$demo/cars/demo.cs3"
seed shape_decode "$demo/cars/demo.cs3"
seed texture_cfg "$demo/texture.cfg"
seed transfer_file "$seeds/demo.ctf"

mkdir -p fuzz/crashes
for target in build/fuzz/fuzz/fuzz_*; do
  name="${target##*/fuzz_}"
  mkdir -p "$seeds/$name"
  echo "fuzz $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -artifact_prefix=fuzz/crashes/ "$seeds/$name" 2>"$seeds/$name.log" ||
    { tail -40 "$seeds/$name.log"; exit 1; }
  grep -E "^Done [0-9]+ runs" "$seeds/$name.log"
done
