#!/usr/bin/env bash
# Makes the README's screenshots with the headless runner: the title, each kind of stage phase, the boss,
# the results graph and the ending. Deterministic: the same build gives the same pictures.
#   tools/screenshots.sh            (builds the runner first; writes docs/screenshots/*.png)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target hoshikuzu-headless >/dev/null
out=docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# From tick $1 to tick $2: slide a little left or right, then face up again and fire six volleys.
play() {
  local t=$1 end=$2 dir=4 key=KP4
  while [ "$t" -lt "$end" ]; do
    echo "$t char $dir"
    echo "$((t + 10)) keyup $key"
    for i in 12 20 28 36 44 52; do echo "$((t + i)) char z"; echo "$((t + i + 2)) keyup Z"; done
    if [ $dir = 4 ]; then dir=6 key=KP6; else dir=4 key=KP4; fi
    t=$((t + 60))
  done
}

# Script lines that jump the stage clock to frame $2 at tick $1, with the wave the schedule would have
# reached by then (the clock alone would leave the wave behind).
jump() {
  local tick=$1 frame=$2 wave=$(( $2 / 1000 < 4 ? $2 / 1000 : 4 ))
  local sizes=(10 10 6 6 2)
  echo "$tick set g_FrameCount $frame"
  echo "$tick set g_WaveNo $wave"
  echo "$tick set g_EnemyCount ${sizes[$wave]}"
}

# scene NAME STAGE TICK SEED [extra script lines...]: start STAGE at tick 2, play, shoot at TICK.
scene() {
  local name=$1 stage=$2 tick=$3 seed=$4
  shift 4
  {
    for _ in $(seq 1 "$stage"); do echo "1 char K"; done
    echo "2 char S"
    printf '%s\n' "$@"
    play 20 "$tick"
  } | sort -s -n -k1,1 > "$work/$name.txt"
  build/hoshikuzu-headless --quiet --seed "$seed" --frames $((tick + 1)) --input "$work/$name.txt" \
    --shot "$tick:$out/$name.png" >/dev/null
  echo "$out/$name.png"
}

build/hoshikuzu-headless --quiet --frames 4 --shot "3:$out/title.png" >/dev/null && echo "$out/title.png"
scene stage0-waves 0 700 3 "600 set g_Life 32"
mapfile -t spiral < <(jump 10 3950)
mapfile -t beam < <(jump 10 5950)
mapfile -t missiles < <(jump 10 7950)
mapfile -t boss < <(jump 10 9950)
scene stage1-spiral 1 226 5 "${spiral[@]}"
scene stage2-beam 2 241 7 "${beam[@]}"
scene stage3-missiles 3 72 11 "${missiles[@]}"
scene stage0-boss 0 196 2 "${boss[@]}"

# The results graph after four runs of different lengths, each ended on purpose.
{
  echo "1 char K"; echo "2 char S"
  start=20
  for length in 900 300 1500 600; do
    play "$start" $((start + length))
    echo "$((start + length)) set g_Life 1"
    echo "$((start + length)) set g_PlayerAlive 0"
    [ "$length" = 600 ] || echo "$((start + length + 200)) char Y"
    start=$((start + length + 210))
  done
} | sort -s -n -k1,1 > "$work/graph.txt"
build/hoshikuzu-headless --quiet --seed 4 --frames 4300 --input "$work/graph.txt" \
  --shot "4299:$out/graph.png" >/dev/null && echo "$out/graph.png"

# The ending: once the boss is on (the stage-clear wait counts only then), the wait is made to end at
# once, and the picture has faded in by the 800th frame after.
{
  printf '1 char K\n1 char K\n2 char S\n'
  jump 10 9990
  printf '100 set g_ClearPhase 1\n100 set g_ClearWait 100\n'
} > "$work/ending.txt"
build/hoshikuzu-headless --quiet --seed 9 --frames 900 --input "$work/ending.txt" \
  --shot "899:$out/ending.png" >/dev/null && echo "$out/ending.png"
