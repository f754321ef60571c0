#!/usr/bin/env bash
# Installs what Tavrel builds and tests with from Debian's packages; quick when
# everything is there already. Extra package names may be given as arguments.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libcli11-dev nlohmann-json3-dev libpng-dev
          qt6-base-dev libqt6opengl6-dev libqt6svg6 libgl1-mesa-dri xvfb xauth
          dpkg-dev blender python3-numpy clang-format clang-tidy "$@")  # the package's dependencies; a test takes what Tavrel writes through Blender
# The tests run the glTF validator under Node.js; a machine without node and
# npm gets Debian's.
if ! command -v node > /dev/null || ! command -v npm > /dev/null; then packages+=(nodejs npm); fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
