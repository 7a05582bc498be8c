// Reading the runner's options into RunOptions, each option by a row of one table.
#include "tools/headless/options.h"

#include "tools/headless/script.h"

namespace {

bool Count(std::string_view option, std::string_view text, int64_t min, int64_t max, int64_t* value,
           std::string* error) {
  if (ParseWholeNumber(text, value) && *value >= min && *value <= max) return true;
  *error = std::string(option) + " takes a whole number from " + std::to_string(min) + " to " +
           std::to_string(max) + ", not '" + std::string(text) + "'";
  return false;
}

constexpr int64_t kMaxTick = INT64_MAX / 2;   // far beyond any run, and safe to count to

bool Seed(std::string_view v, RunOptions* o, std::string* error) {
  int64_t seed = 0;
  if (!Count("--seed", v, 0, UINT32_MAX, &seed, error)) return false;
  o->seed = static_cast<uint32_t>(seed);
  return true;
}

bool Frames(std::string_view v, RunOptions* o, std::string* error) {
  return Count("--frames", v, 0, kMaxTick, &o->frames, error);
}

bool Input(std::string_view v, RunOptions* o, std::string*) {
  o->inputPath = v;
  return true;
}

bool States(std::string_view v, RunOptions* o, std::string* error) {
  while (true) {
    size_t comma = v.find(',');
    int64_t tick = 0;
    if (!Count("--state", v.substr(0, comma), 0, kMaxTick, &tick, error)) return false;
    o->stateTicks.push_back(tick);
    if (comma == std::string_view::npos) return true;
    v.remove_prefix(comma + 1);
  }
}

bool StateEvery(std::string_view v, RunOptions* o, std::string* error) {
  return Count("--state-every", v, 1, kMaxTick, &o->stateEvery, error);
}

bool Shot(std::string_view v, RunOptions* o, std::string* error) {
  size_t colon = v.find(':');
  Screenshot shot{0, ""};
  if (colon == std::string_view::npos || colon + 1 == v.size()) {
    *error = "--shot takes TICK:FILE.png, not '" + std::string(v) + "'";
    return false;
  }
  if (!Count("--shot", v.substr(0, colon), 0, kMaxTick, &shot.tick, error)) return false;
  shot.path = v.substr(colon + 1);
  o->shots.push_back(shot);
  return true;
}

bool Wav(std::string_view v, RunOptions* o, std::string*) {
  o->wavPath = v;
  return true;
}

bool Fail(std::string_view v, RunOptions* o, std::string* error) {
  Fault fault;
  if (!ParseFault(v, &fault)) {
    *error = "--fail takes one of " + std::string(FaultNames()) + ", not '" + std::string(v) + "'";
    return false;
  }
  o->faults.push_back(fault);
  return true;
}

bool Timing(std::string_view v, RunOptions* o, std::string*) {
  o->timingPath = v;
  return true;
}

bool Quiet(std::string_view, RunOptions* o, std::string*) { return o->quiet = true; }
bool Help(std::string_view, RunOptions* o, std::string*) { return o->help = true; }

struct KnownOption {
  std::string_view name;
  bool takesValue;
  bool (*apply)(std::string_view value, RunOptions* options, std::string* error);
};

const KnownOption kOptions[] = {
    {"--seed", true, Seed},         {"--frames", true, Frames},   {"--input", true, Input},
    {"--state", true, States},      {"--state-every", true, StateEvery},
    {"--shot", true, Shot},         {"--wav", true, Wav},         {"--fail", true, Fail},
    {"--quiet", false, Quiet},      {"--help", false, Help},       {"--timing", true, Timing},
};

const KnownOption* FindOption(std::string_view name) {
  for (const KnownOption& known : kOptions) {
    if (known.name == name) return &known;
  }
  return nullptr;
}

}  // namespace

bool ParseCommandLine(std::span<const std::string_view> args, RunOptions* options, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    size_t equals = arg.find('=');
    const KnownOption* known = FindOption(arg.substr(0, equals));
    if (known == nullptr) {
      *error = "unknown option '" + std::string(arg) + "'";
      return false;
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (known->takesValue) {
      if (i + 1 == args.size()) {
        *error = std::string(known->name) + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (equals != std::string_view::npos && !known->takesValue) {
      *error = std::string(known->name) + " takes no value";
      return false;
    }
    if (!known->apply(value, options, error)) return false;
  }
  return true;
}
