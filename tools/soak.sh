#!/usr/bin/env bash
# Builds the game and soaks it: TICKS ticks of seeded random keys over the four stages, with every
# invariant checked after each tick (see build/hoshikuzu-soak with no arguments). With --sanitize it
# uses the AddressSanitizer and UndefinedBehaviorSanitizer build, about five times slower. It runs at low
# priority; a failing run's input script is kept in the build folder's soak/.
#   tools/soak.sh TICKS [SEED] [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
ticks="${1:?usage: tools/soak.sh TICKS [SEED] [--sanitize]}"
seed="${2:-1}"
dir=build
options=()
if [ "${3:-}" = "--sanitize" ]; then
  dir=build-asan
  options=(-DHOSHIKUZU_SANITIZE=ON -DHOSHIKUZU_BENCHMARKS=OFF)
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target hoshikuzu-soak
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec nice -n 10 "$dir/hoshikuzu-soak" "$ticks" "$seed" --out "$dir/soak"
