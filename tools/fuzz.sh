#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 60),
# starting from the committed seed corpus. Crashes land in build-fuzz/crashes/<target>/.
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ -n "${missing[*]:-}" ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DHOSHIKUZU_FUZZ=ON -DHOSHIKUZU_TESTS=OFF -DHOSHIKUZU_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  mkdir -p "$work" "build-fuzz/crashes/$target"
  cp -n tests/fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
  echo "== $target for ${seconds}s"
  build-fuzz/"$target" "$work" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/crashes/$target/" 2>&1 | grep -E "stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done" || true
done
