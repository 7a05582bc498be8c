#!/usr/bin/env bash
# Regenerates every picture and sound of the game into res/ (and the launcher icons into desktop/icons/).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/generate-pictures.sh"
"$here/generate-sounds.sh"
