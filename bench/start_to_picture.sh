#!/usr/bin/env bash
# Start to picture: how long `tavrel --screenshot` takes from start to the PNG
# written for the demo car imported from the demo's executable, textured, at
# 1024 x 768, against f3d drawing the same car's glTF at the same size. Both
# run under one xvfb-run, in turns, RUNS times each (default 7); the medians
# and their ratio are printed, with the machine's load.
#
#   bench/start_to_picture.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default build/default) holds tavrel and tavrel-cli, built already.
# f3d is a measuring stick only, so scripts/setup.sh does not install it and the
# tests never need it; without it this script says so and stops.
set -euo pipefail

size=1024,768

# Under xvfb-run: the timed runs, in turns. Arguments: tavrel, car.gltf, out folder, runs.
measure() {
  local tavrel="$1" gltf="$2" out="$3" runs="$4"
  local -a tavrelTimes=() f3dTimes=()
  milliseconds() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
  }
  median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
  local -a tavrelRun=("$tavrel" --settings "$out/settings.ini" --game-dir . --patch-level 0 --import-exe
                      --screenshot "$out/tavrel.png" --size "$size" --set showTexture=1)
  local -a f3dRun=(f3d --output "$out/f3d.png" --resolution "$size" "$gltf")
  # The first run of each fills the disk cache and is not counted.
  milliseconds "${tavrelRun[@]}" > /dev/null
  milliseconds "${f3dRun[@]}" > /dev/null
  local took
  for ((run = 0; run < runs; ++run)); do
    took=$(milliseconds "${tavrelRun[@]}")
    tavrelTimes+=("$took")
    took=$(milliseconds "${f3dRun[@]}")
    f3dTimes+=("$took")
  done
  local tavrelMedian f3dMedian
  tavrelMedian=$(median "${tavrelTimes[@]}")
  f3dMedian=$(median "${f3dTimes[@]}")
  echo "tavrel --screenshot: ${tavrelTimes[*]} ms, median $tavrelMedian ms"
  echo "f3d --output:        ${f3dTimes[*]} ms, median $f3dMedian ms"
  awk -v t="$tavrelMedian" -v f="$f3dMedian" 'BEGIN { printf "tavrel / f3d: %.2f (goal: at most 0.5)\n", t / f }'
}

if [ "${1:-}" = "--measure" ]; then
  shift
  measure "$@"
  exit
fi

if ! command -v f3d > /dev/null; then
  echo "f3d is not installed (apt-get install f3d): nothing to compare with, skipped."
  exit 0
fi
cd "$(dirname "$0")/.."
repo="$PWD"
build="$(realpath "${1:-build/default}")"
runs="${2:-7}"
for program in src/app/tavrel src/cli/tavrel-cli; do
  [ -x "$build/$program" ] || { echo "$build/$program is missing: build tavrel and tavrel-cli first." >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/src/cli/tavrel-cli" make-demo "$work/demo" > /dev/null
# texture.cfg is read from the working directory, by both programs.
cd "$work/demo"
"$build/src/cli/tavrel-cli" export-gltf --exe zav.exe --patch-level 0 . "$work/car.gltf" > /dev/null
echo "load before: $(uptime)"
xvfb-run -a -s "-screen 0 1400x1100x24" \
  bash "$repo/bench/start_to_picture.sh" --measure "$build/src/app/tavrel" "$work/car.gltf" "$work" "$runs"
echo "load after:  $(uptime)"
