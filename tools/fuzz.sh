#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 60),
# starting from the committed seed corpus. Crashes land in build-fuzz/crashes/<target>/, and then the
# script exits with 1. Targets are the tests/fuzz/*_fuzz.cpp files: wave_fuzz, picture_fuzz, script_fuzz.
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
found=0
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  crashes="build-fuzz/crashes/$target"
  mkdir -p "$work" "$crashes"
  cp -n tests/fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
  # A dictionary of the format's words, where there is one, lets the fuzzer build whole lines quickly.
  dict=()
  [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
  echo "== $target for ${seconds}s"
  build-fuzz/"$target" "$work" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" 2>&1 | grep -E "stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done" || true
  # Crashes, leaks, timeouts and memory blow-ups fail; inputs only slow to refuse are worth a look.
  for kind in crash leak timeout oom; do
    if compgen -G "$crashes/$kind-*" >/dev/null; then
      echo "!! $target: inputs that fail ($kind) are in $crashes/"
      found=1
    fi
  done
  if compgen -G "$crashes/slow-unit-*" >/dev/null; then echo "   $target: slow inputs are in $crashes/"; fi
done
exit "$found"
