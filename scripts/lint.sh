#!/usr/bin/env bash
# The code gates: clang-format on every source file, and clang-tidy (.clang-tidy:
# bugprone, performance) on the C++ files changed since BASE, by default the
# last commit's parent: scripts/lint.sh [BASE|--all]. A finding fails it.
# Needs the compile commands of build/default (cmake --preset default).
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-HEAD~1}"

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

if [[ "$base" == --all ]]; then
  mapfile -t changed < <(git ls-files '*.cpp')
else
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp')
fi
# Only what the default build compiles has compile commands (the fuzz targets are clang's own build).
checked=()
for file in "${changed[@]}"; do
  grep -q "\"file\": \"$PWD/$file\"" build/default/compile_commands.json && checked+=("$file")
done
echo "clang-tidy: ${#checked[@]} changed files"
if ((${#checked[@]})); then
  printf '%s\n' "${checked[@]}" | xargs -P 2 -n 4 clang-tidy -p build/default --quiet
fi
