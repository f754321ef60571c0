#!/usr/bin/env bash
# Set-up, a build of the two programs only (no tests), and Tavrel opened on the
# demo game, made under build/default/demo when it is missing: the car imported
# from the demo's zav.exe, or the shape file given. Settings stay in
# build/default/demo-settings.ini, away from the user's own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tavrel tavrel-cli
build="$PWD/build/default"
demo="$build/demo"
[ -f "$demo/zav.exe" ] || "$build/src/cli/tavrel-cli" make-demo "$demo"
run=("$build/src/app/tavrel" --settings "$build/demo-settings.ini" --game-dir "$demo" --patch-level 0)
if [ $# -gt 0 ]; then
  run+=("$(realpath "$1")")
else
  run+=(--import-exe)
fi
# texture.cfg is read from the working directory, as the game's tools expect.
cd "$demo"
exec "${run[@]}"
