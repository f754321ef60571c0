#!/usr/bin/env bash
# Set-up, a build of the two programs only (no tests), and Tavrel opened on the
# demo game, made under build/default/demo when it is missing: the car imported
# from the demo's zav.exe, or the shape file given. Settings stay in
# build/default/demo-settings.ini, away from the user's own. Without a display,
# the textured car view is drawn under xvfb-run into build/default/demo-car.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tavrel tavrel-cli
build="$PWD/build/default"
demo="$build/demo"
[ -f "$demo/zav.exe" ] || "$build/src/cli/tavrel-cli" make-demo "$demo"
settings="$build/demo-settings.ini"
# The demo's own settings start with the car textured; the user's own keep their defaults.
[ -f "$settings" ] || printf '[Preferences]\nshowTexture=1\n' >"$settings"
run=("$build/src/app/tavrel" --settings "$settings" --game-dir "$demo" --patch-level 0)
if [ $# -gt 0 ]; then
  car=("$(realpath "$1")")
else
  car=(--import-exe)
fi
# texture.cfg is read from the working directory, as the game's tools expect.
cd "$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  picture="$build/demo-car.png"
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}" --screenshot "$picture" --set showTexture=1 "${car[@]}"
  echo "No display here: the car view's picture of the car is in $picture"
  exit 0
fi
exec "${run[@]}" "${car[@]}"
