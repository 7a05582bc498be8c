#!/usr/bin/env bash
# Builds the sound generator and regenerates every sound of the game into res/, printing its level report.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-soundgen"

cmake -S "$root/tools/soundgen" -B "$build" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build" --target soundgen --parallel 2
"$build/soundgen" "$root/res"
