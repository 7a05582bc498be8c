// The switches of the injectable failures.
#include "platform/faults.h"

namespace {

bool g_Faults[static_cast<int>(Fault::Count)];

constexpr std::string_view kFaultNames[] = {
    "graphics", "display-mode", "device0", "device1", "device2",
    "line", "antialias", "audio-engine", "audio-output",
};
static_assert(std::size(kFaultNames) == static_cast<size_t>(Fault::Count));

}  // namespace

void InjectFault(Fault fault, bool on) { g_Faults[static_cast<int>(fault)] = on; }

bool FaultActive(Fault fault) { return g_Faults[static_cast<int>(fault)]; }

void ClearFaults() {
  for (bool& f : g_Faults) f = false;
}

bool ParseFault(std::string_view name, Fault* fault) {
  for (size_t i = 0; i < std::size(kFaultNames); ++i) {
    if (kFaultNames[i] == name) {
      *fault = static_cast<Fault>(i);
      return true;
    }
  }
  return false;
}

const char* FaultNames() {
  return "graphics, display-mode, device0, device1, device2, line, antialias, audio-engine, audio-output";
}
