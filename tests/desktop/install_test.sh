#!/usr/bin/env bash
# Installs the build into a temporary root and checks that every file a desktop needs is there and valid.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

id=io.github.hoshikuzu.Hoshikuzu
expected=(
  usr/bin/hoshikuzu
  usr/bin/hoshikuzu-headless
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  usr/share/man/man6/hoshikuzu.6
  usr/share/man/man6/hoshikuzu-headless.6
)
for size in 16 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
status=0
for file in "${expected[@]}"; do
  if [ ! -s "$root/$file" ]; then echo "missing: /$file"; status=1; fi
done
[ -x "$root/usr/bin/hoshikuzu" ] || { echo "not executable: /usr/bin/hoshikuzu"; status=1; }
desktop-file-validate "$root/usr/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || status=1
# The icon sizes must be what their folders say.
for size in 16 32 48 64 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "$size x $size" ||
    { echo "icon ${size}x${size} has the wrong size"; status=1; }
done
exit $status
