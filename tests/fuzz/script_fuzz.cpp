// libFuzzer target: the headless runner's input-script parser on arbitrary bytes, with a round trip.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/headless/script.h"
#include "tools/headless/script_writer.h"

namespace {

// What a parsed event promises the runner: a tick it can count to, a code the host can deliver, a
// variable value inside the range that keeps the game within its tables.
void CheckEvent(const ScriptEvent& e) {
  bool good = e.tick >= 0;
  switch (e.kind) {
    case EventKind::Char: good = good && e.code <= 0x10FFFF && !(e.code >= 0xD800 && e.code <= 0xDFFF); break;
    case EventKind::KeyUp: good = good && e.code <= 0xFF; break;
    case EventKind::Close: break;
    case EventKind::Set:
      good = good && e.variable != nullptr && std::isfinite(e.value) && e.value >= e.variable->min &&
             e.value <= e.variable->max;
      break;
  }
  if (!good) __builtin_trap();
}

bool SameEvent(const ScriptEvent& a, const ScriptEvent& b) {
  return a.tick == b.tick && a.kind == b.kind && a.code == b.code && a.variable == b.variable && a.value == b.value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptEvent> events;
  std::string error;
  if (!ParseScript(text, "fuzz.txt", &events, &error)) {
    // A refusal always names the file and line it is about.
    if (error.rfind("fuzz.txt:", 0) != 0) __builtin_trap();
    return 0;
  }
  std::string again;
  for (size_t i = 0; i < events.size(); ++i) {
    CheckEvent(events[i]);
    if (i > 0 && events[i].tick < events[i - 1].tick) __builtin_trap();
    again += ScriptLine(events[i]) + "\n";
  }
  // Whatever was understood, written out again, is understood the same way.
  std::vector<ScriptEvent> reread;
  if (!ParseScript(again, "again.txt", &reread, &error) || reread.size() != events.size()) __builtin_trap();
  for (size_t i = 0; i < events.size(); ++i) {
    if (!SameEvent(events[i], reread[i])) __builtin_trap();
  }
  return 0;
}
