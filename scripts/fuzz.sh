#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one: scripts/fuzz.sh NAME [SECONDS] [libFuzzer options].
# The corpus lives in fuzz/corpus/NAME (not committed); crashes land in fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh clang libclang-rt-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
name="$1"
seconds="${2:-60}"
shift $(( $# > 1 ? 2 : 1 ))
mkdir -p "fuzz/corpus/$name" fuzz/crashes
exec "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -artifact_prefix=fuzz/crashes/ "$@" "fuzz/corpus/$name"
