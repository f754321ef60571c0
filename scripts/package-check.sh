#!/usr/bin/env bash
# Makes the Debian package from the build the test command left, installs it as
# a player would (apt-get install ./tavrel_VERSION_amd64.deb), runs what it
# installed (tavrel-cli --version, a demo game, a screenshot of its car under
# xvfb-run) and removes it again. Needs root or sudo; CI runs it after the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
build="$PWD/build/default"
(cd "$build" && rm -f tavrel_*_amd64.deb && cpack -G DEB > /dev/null)
deb="$(echo "$build"/tavrel_*_amd64.deb)"
echo "Made $(basename "$deb"): $(du -h "$deb" | cut -f1)"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > /dev/null
work="$(mktemp -d)"
trap '$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tavrel > /dev/null; rm -rf "$work"' EXIT

/usr/bin/tavrel-cli --version
/usr/bin/tavrel-cli make-demo "$work/demo" > /dev/null
(cd "$work/demo" && xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/tavrel --settings "$work/settings.ini" \
  --game-dir . --patch-level 0 --import-exe --screenshot "$work/car.png" --set showTexture=1)
[ -s "$work/car.png" ] || { echo "the installed tavrel wrote no picture" >&2; exit 1; }
echo "The installed tavrel drew the demo car: $(du -h "$work/car.png" | cut -f1) of PNG"
