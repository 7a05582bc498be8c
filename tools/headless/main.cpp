// hoshikuzu-headless: the game without a window or sound device, for tests, benchmarks and bug reports.
#include <cstdio>

#include "tools/headless/options.h"
#include "tools/headless/runner.h"
#include "tools/headless/script.h"

namespace {

constexpr int kBadUsage = 2;

int BadUsage(const std::string& what) {
  std::fprintf(stderr, "hoshikuzu-headless: %s\nTry 'hoshikuzu-headless --help'.\n", what.c_str());
  return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  RunOptions options;
  std::string error;
  if (!ParseCommandLine(args, &options, &error)) return BadUsage(error);
  if (options.help) {
    std::fputs(HelpText().c_str(), stdout);
    return 0;
  }
  std::vector<ScriptEvent> events;
  if (!options.inputPath.empty()) {
    std::string script;
    if (!ReadScriptFile(options.inputPath, &script)) return BadUsage("cannot read the input script " + options.inputPath);
    if (!ParseScript(script, options.inputPath, &events, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return kBadUsage;
    }
  }
  return RunHeadless(options, events, stdout);
}
