#!/usr/bin/env bash
# Sets up a Debian 12 machine for the game (installing what is missing), builds it, and then either
# starts the game ("play") or runs every test ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ cmake ninja-build pkg-config                       # the build
  libsdl2-dev libpng-dev libturbojpeg0-dev               # the game's libraries
  libgtest-dev libbenchmark-dev                          # tests and benchmarks
  xvfb xauth xdotool x11-utils x11-apps                  # the test that opens the real window
  desktop-file-utils appstream file                      # the test of the installed tree
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]} == 0)) && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$(nproc)"
}

# The whole suite again under AddressSanitizer (with its leak checker) and UndefinedBehaviorSanitizer;
# any report fails the run.
test_with_sanitizers() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHOSHIKUZU_SANITIZE=ON \
    -DHOSHIKUZU_BENCHMARKS=OFF >/dev/null
  cmake --build build-asan -j "$(nproc)"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
}

# A short soak of the sanitizer build: random keys through the four stages, every invariant checked after
# each tick (tools/soak.sh runs longer ones).
soak_with_sanitizers() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-asan/hoshikuzu-soak 200000 1 --out build-asan/soak
}

case "${1:-}" in
  play)
    install_missing
    build
    exec build/hoshikuzu
    ;;
  test)
    install_missing
    build
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    test_with_sanitizers
    soak_with_sanitizers
    ;;
  *)
    echo "usage: tools/build.sh play | test" >&2
    exit 2
    ;;
esac
