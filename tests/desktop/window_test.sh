#!/usr/bin/env bash
# The real game in a real X window (Xvfb): a 640 × 480 client area that shows frames, Q closes it with
# exit status 0; and without any display the game says so in one line and exits with status 1.
#   window_test.sh GAME
set -euo pipefail
game=$1
work=$(mktemp -d)
# In the sanitizer build, memory errors are still fatal here, but leaks are not looked for: at exit the
# libraries under SDL (libdbus, which SDL never shuts down, and Mesa) keep allocations whose stacks
# the leak checker cannot follow, as they are built without frame pointers. The game's own memory is
# leak-checked by every headless test.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"
cleanup() { kill "${gamepid:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Without a display.
if env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy "$game" 2>"$work/err"; then
  echo "the game ran without a display"; exit 1
fi
[ "$(wc -l <"$work/err")" -eq 1 ] || { echo "expected one line of error:"; cat "$work/err"; exit 1; }
grep -q "cannot open a window" "$work/err" || { cat "$work/err"; exit 1; }

# With Xvfb on a display number it picks itself.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
SDL_AUDIODRIVER=dummy "$game" &
gamepid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --classname hoshikuzu 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window appeared"; exit 1; }
geometry=$(xwininfo -id "$window")
echo "$geometry" | grep -q "Width: 640" || { echo "$geometry"; exit 1; }
echo "$geometry" | grep -q "Height: 480" || { echo "$geometry"; exit 1; }
# The title must be on the screen: the window's pixels are not all black.
sleep 1
lit=$(xwd -silent -id "$window" | tail -c 1228800 | tr -d '\000' | wc -c)
[ "$lit" -gt 100000 ] || { echo "the window shows (almost) nothing: $lit lit bytes"; exit 1; }
xdotool windowfocus --sync "$window" key q
for _ in $(seq 50); do kill -0 "$gamepid" 2>/dev/null || break; sleep 0.1; done
wait "$gamepid"
