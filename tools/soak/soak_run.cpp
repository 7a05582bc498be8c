// The soak's run loop: the same order as the headless runner (events, then the tick's frame), with the
// invariants checked after every frame.
#include "tools/soak/soak_run.h"

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "game/game.h"
#include "platform/framework.h"
#include "platform/headless.h"
#include "tools/headless/script_writer.h"
#include "tools/headless/variables.h"
#include "tools/soak/invariants.h"

namespace {

void Deliver(HeadlessHost& host, const ScriptEvent& event) {
  switch (event.kind) {
    case EventKind::Char: host.DeliverChar(event.code); break;
    case EventKind::KeyUp: host.DeliverKeyUp(event.code); break;
    case EventKind::Close: host.DeliverClose(); break;
    case EventKind::Set: WriteGameVariable(*event.variable, event.value); break;
  }
}

void Break(RunResult* result, int64_t tick, const std::string& what) {
  result->broken = true;
  result->brokenTick = tick;
  std::snprintf(result->what, sizeof result->what, "%s", what.c_str());
}

// The first rule this tick's frame broke, or empty.
std::string CheckTick(const HeadlessHost& host, bool ran, const ClockBefore& before) {
  if (!ran) return "the tick ran no frame";
  if (!host.Messages().empty()) {
    const HeadlessHost::Message& m = host.Messages().front();
    return "a message box was shown: " + m.caption + ": " + m.text;
  }
  std::string clock = BrokenClock(before);
  if (!clock.empty()) return clock;
  std::vector<std::string> broken = BrokenInvariants();
  return broken.empty() ? "" : broken.front();
}

Phase PhaseNow() {
  if (g_FrameNo <= 1) return kTitle;
  if (g_ClearPhase == 2) return kEnding;
  if (g_Life == 0) return kGameOver;
  if (g_ClearPhase == 1) return kClearWait;
  if (g_FrameCount <= 4000) return kWaves;
  if (g_FrameCount <= 6000) return kSpirals;
  if (g_FrameCount <= 8000) return kBeams;
  return g_FrameCount <= 10000 ? kMissiles : kBoss;
}

void CountPhase(PhaseTicks& p, const ClockBefore& before, int32_t breaksBefore) {
  Phase phase = PhaseNow();
  p.bossBreaks += g_Enemies[0].type == 7 && g_FireWork[2] > breaksBefore;
  ++p.ticks[phase];
  p.endings += phase == kEnding && before.clearPhase != 2;
  p.gameOvers += phase == kGameOver && before.life != 0;
  p.bossArrivals += phase == kBoss && before.frameCount == 10000;
}

}  // namespace

PhaseTicks& PhaseTicks::operator+=(const PhaseTicks& other) {
  for (int k = 0; k < kPhaseCount; ++k) ticks[k] += other.ticks[k];
  gameOvers += other.gameOvers;
  bossArrivals += other.bossArrivals;
  endings += other.endings;
  bossBreaks += other.bossBreaks;
  return *this;
}

RunResult RunProgram(uint32_t gameSeed, int64_t ticks, const EventSource& source, std::FILE* script) {
  RunResult result;
  HeadlessHost host;
  g_Host = &host;
  host.SetClock(gameSeed);
  host.SetQuiet(true);
  if (!host.Start(*Application::Instance())) {
    Break(&result, 0, "the program did not start");
    return result;
  }
  std::vector<ScriptEvent> events;
  for (int64_t tick = 0; tick < ticks; ++tick) {
    events.clear();
    source(tick, &events);
    for (const ScriptEvent& event : events) {
      if (script != nullptr) std::fprintf(script, "%s\n", ScriptLine(event).c_str()), std::fflush(script);
      Deliver(host, event);
    }
    result.ticks = tick + 1;  // the tick of the close counts too, though it runs no frame
    if (host.Quit()) break;
    ClockBefore before = ReadClock();
    int32_t breaksBefore = g_FireWork[2];  // the boss's breaks, while it is there
    bool ran = host.Tick();
    std::string broken = CheckTick(host, ran, before);
    if (!broken.empty()) {
      Break(&result, tick, broken);
      break;
    }
    CountPhase(result.phases, before, breaksBefore);
  }
  host.Finish();
  g_Host = nullptr;
  return result;
}
