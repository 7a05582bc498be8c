#!/usr/bin/env bash
# Runs every benchmark of the game and prints one table: each figure beside the reference measured in
# the same run, and its target. Medians over repetitions, since the machines are shared and noisy.
#
#   tools/bench.sh              # build in build/ (RelWithDebInfo), 5 repetitions
#   BUILD_DIR=out REPETITIONS=9 tools/bench.sh
#
# The windowed rows need a display: without DISPLAY the script starts Xvfb on BENCH_DISPLAY (:97) for
# the run and stops it afterwards. Needs python3 to read the benchmarks' JSON.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
REPETITIONS=${REPETITIONS:-5}
RUNS=${RUNS:-3}   # headless runs of the recorded game
BENCH_DISPLAY=${BENCH_DISPLAY:-:97}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j 2 --target hoshikuzu_bench hoshikuzu-headless hoshikuzu >/dev/null

if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  Xvfb "$BENCH_DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$BENCH_DISPLAY
  sleep 1
fi

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
"$BUILD_DIR/bench/hoshikuzu_bench" --benchmark_repetitions="$REPETITIONS" --benchmark_report_aggregates_only=true \
  --benchmark_format=json --benchmark_out="$work/bench.json" --benchmark_out_format=json >/dev/null 2>"$work/bench.err" \
  || { cat "$work/bench.err" >&2; exit 1; }
for run in $(seq "$RUNS"); do
  "$BUILD_DIR/hoshikuzu-headless" --quiet --input bench/every_phase.txt --frames 14000 \
    --timing "$work/timing$run.txt" >/dev/null
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

python3 - "$work" "$load_before" "$load_after" <<'EOF'
import glob, json, re, statistics, subprocess, sys

work, load_before, load_after = sys.argv[1:4]
runs = json.load(open(f"{work}/bench.json"))["benchmarks"]

def median(name, key="real_time"):
    """The median of a benchmark over its repetitions: a time in its unit, or a counter."""
    for b in runs:
        if b.get("aggregate_name") == "median" and b["run_name"].split("/iterations")[0].split("/manual_time")[0] == name:
            return b[key]
    return None

def timing(key):
    values = []
    for path in sorted(glob.glob(f"{work}/timing*.txt")):
        for line in open(path):
            if line.startswith(key + " "):
                values.append(float(line.split()[1]))
    return statistics.median(values) if values else None

rows = []
def row(what, measured, reference, ratio, target, met):
    rows.append((what, measured, reference, ratio, target, "yes" if met else ("NO" if met is not None else "—")))

def fmt(x, unit, digits=2):
    return "n/a" if x is None else f"{x:.{digits}f} {unit}"

# Drawing a worst-case play frame.
ours, sdl, ratio = median("BM_WorstFrame", "ours_us"), median("BM_WorstFrame", "sdl_us"), median("BM_WorstFrame", "ratio")
differing = median("BM_WorstFrame", "differing_pixels_pct")
if ours is not None:
    row("Worst-case play frame (273 quads), processor time", fmt(ours, "µs", 0),
        f"SDL software renderer {fmt(sdl, 'µs', 0)} (its picture differs in {differing:.2f} % of the pixels)",
        f"{ratio:.2f}", "≤ 0.5 and < 1000 µs", ratio <= 0.5 and ours < 1000)

# A whole play tick over the recorded game of every phase.
budget = 1000 / 60
for clock, label in (("cpu", "processor time"), ("wall", "wall clock")):
    med, p99, worst = (timing(f"play_{clock}_{q}_ms") for q in ("median", "p99", "worst"))
    if med is None:
        continue
    row(f"Play tick, median ({label})", fmt(med, "ms", 3), "frame budget 16.7 ms", f"{med / budget:.3f}", "< 0.5 ms", med < 0.5)
    row(f"Play tick, 99th percentile ({label})", fmt(p99, "ms", 3), "frame budget 16.7 ms", f"{p99 / budget:.3f}", "—", None)
    row(f"Play tick, worst ({label})", fmt(worst, "ms", 3), "frame budget 16.7 ms", f"{worst / budget:.3f}", "< 2 ms", worst < 2)
stall_median, stall_worst = median("BM_MachineStalls", "median_ms"), median("BM_MachineStalls", "worst_ms")
if stall_worst is not None:
    row("  the machine's own stalls: one frame's copy, 14,000 times", f"worst {fmt(stall_worst, 'ms', 3)}",
        f"median {fmt(stall_median, 'ms', 3)}", f"{stall_worst / stall_median:.0f}", "—", None)
slowest_cpu, preemptions, preempted = (timing(k) for k in ("play_wall_worst_cpu_ms", "play_wall_worst_preemptions", "play_preempted_ticks"))
if slowest_cpu is not None:
    row("  the slowest tick by the wall clock: its own processor time", fmt(slowest_cpu, "ms", 3),
        f"interrupted {preemptions:.0f} times by other programs; {preempted:.0f} ticks of the run were", "—", "—", None)

# The first stage set-up, cold, in a fresh process.
for stage in range(4):
    name = f"BM_StageSetUpCold/{stage}"
    setup, decode, r = median(name), median(name, "decode_ms"), median(name, "ratio")
    decode_pm, r_pm = median(name, "decode_pm_ms"), median(name, "ratio_pm")
    if setup is None:
        continue
    row(f"Stage {stage} first set-up, cold", fmt(setup, "ms", 1), f"bare decode of its background {fmt(decode, 'ms', 1)}",
        f"{r:.2f}", "≤ 1.25", r <= 1.25)
    row(f"  the same against the decode into picture memory", fmt(setup, "ms", 1), f"{fmt(decode_pm, 'ms', 1)}",
        f"{r_pm:.2f}", "—", None)

# Start to the first title frame.
headless, windowed = median("BM_StartToFirstFrameHeadless"), median("BM_StartToFirstFrameWindowed")
row("Start to first title frame, headless", fmt(headless, "ms", 1), "—", "—", "< 50 ms", headless is not None and headless < 50)
row("Start to first title frame, windowed (Xvfb)", fmt(windowed, "ms", 1), "—", "—", "—", None)

# Memory over the whole recorded game.
peak, held = timing("peak_resident_bytes"), timing("held_at_peak_bytes")
if peak is not None:
    mib = 1 << 20
    row("Peak resident memory, whole game", fmt(peak / mib, "MiB", 1), f"pictures and sounds held {fmt(held / mib, 'MiB', 1)}",
        f"+{(peak - held) / mib:.1f} MiB", "≤ held + 16 MiB", peak <= held + 16 * mib)

# Audio: 18 voices for one second of output, and the device buffer.
mix_cpu, output_s = median("BM_Mix18Voices", "cpu_time"), median("BM_Mix18Voices", "output_s")
frames, rate = median("BM_Mix18Voices", "buffer_frames"), median("BM_Mix18Voices", "mix_rate")
if mix_cpu is not None:
    share = mix_cpu / 1000 / output_s * 100
    row("Mixing 18 voices, one second of output", fmt(mix_cpu, "ms", 2), "one core-second", f"{share:.3f} %", "< 0.2 %", share < 0.2)
    ms = frames / rate * 1000
    row("Audio buffer", f"{frames:.0f} frames at {rate:.0f} Hz ({ms:.1f} ms)", "—", "—",
        "≤ 21.3 ms (1024 frames at 48 kHz)", ms <= 1024 / 48)

# Presenting, each way the game may open its presenter.
for kind, label in ((0, "accelerated, vertical sync (waits for the refresh)"), (1, "accelerated"), (2, "software")):
    t = median(f"BM_PresentFrame/{kind}")
    name = next((b.get("label", "") for b in runs if b["run_name"].startswith(f"BM_PresentFrame/{kind}/")), "")
    if t is None:
        row(f"Presenting, {label}", "not available", "—", "—", "—", None)
        continue
    target_met = t < 500 if kind != 0 else None
    row(f"Presenting, {label} [{name}]", fmt(t, "µs", 0), "frame budget 16.7 ms", f"{t / 1000 / budget:.3f}",
        "< 500 µs" if kind != 0 else "—", target_met)

model = re.search(r"Model name:\s*(.*)", subprocess.run(["lscpu"], capture_output=True, text=True).stdout)
cores = subprocess.run(["nproc"], capture_output=True, text=True).stdout.strip()
print(f"Machine: {model.group(1) if model else 'unknown'}, {cores} cores; load average {load_before} before, {load_after} after")
print()
print("| what | measured | reference (same run) | ratio | target | met |")
print("|---|---|---|---|---|---|")
for r in rows:
    print("| " + " | ".join(r) + " |")
EOF
