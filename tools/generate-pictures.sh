#!/usr/bin/env bash
# Regenerates every picture of the game into res/ (and the launcher icons into desktop/icons/)
# with tools/picturegen. Installs what the generator needs, builds it, runs it.
# Also writes build-picturegen/contact-sheet.png, a review sheet of every picture.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-picturegen"
packages=(cmake g++ pkg-config libpng-dev libturbojpeg0-dev libfreetype-dev fonts-noto-cjk)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root/tools/picturegen" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2

mkdir -p "$root/res" "$root/desktop/icons"
start=$(date +%s)
"$build/picturegen" --res "$root/res" --icons "$root/desktop/icons" \
  --contact-sheet "$build/contact-sheet.png"
echo "pictures regenerated in $(( $(date +%s) - start )) s; review sheet: $build/contact-sheet.png"
