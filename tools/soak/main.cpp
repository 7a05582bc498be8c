// hoshikuzu-soak: plays the game with seeded random keys for a number of ticks, checking after every
// tick what must always hold; on a break it writes the input script that replays it and fails.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "tools/headless/script.h"
#include "tools/soak/random_player.h"
#include "tools/soak/soak_run.h"

namespace {

constexpr const char* kUsage =
    R"(Usage: hoshikuzu-soak TICKS [SEED] [--out DIR] [--run-ticks N]
       hoshikuzu-soak --replay FILE --seed N --frames N

Plays ほしくずぼうや headless with random keys, seeded by SEED (default 1), for TICKS ticks in all,
checking after every tick the invariants of the game's state. The ticks are shared out over program
runs of at most --run-ticks each (default TICKS/4, at most 50000), which play the four stages in turn;
a run ends early 900 ticks into its ending. Each run is a process of its own, forked before the game
starts, so that every run begins from the program's state at load.

On a broken invariant, a crash or a sanitizer's report it prints the tick, the seeds and what broke,
keeps the run's input script in DIR (default .) and exits with 1. --replay runs such a script with the
invariants checked, as hoshikuzu-headless would run it.
)";

constexpr int64_t kLongestRun = 50000;

struct Options {
  int64_t ticks = 0;
  uint64_t seed = 1;
  std::string out = ".";
  int64_t runTicks = 0;
  std::string replay;
  uint32_t replaySeed = 1;
  int64_t replayFrames = 0;
};

bool Number(std::string_view text, int64_t min, int64_t* value) {
  return ParseWholeNumber(text, value) && *value >= min;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    bool hasValue = i + 1 < argc;
    int64_t n = 0;
    if (arg == "--out" && hasValue) {
      o->out = argv[++i];
    } else if (arg == "--run-ticks" && hasValue && Number(argv[i + 1], 1, &n)) {
      o->runTicks = n, ++i;
    } else if (arg == "--replay" && hasValue) {
      o->replay = argv[++i];
    } else if (arg == "--seed" && hasValue && Number(argv[i + 1], 0, &n) && n <= UINT32_MAX) {
      o->replaySeed = static_cast<uint32_t>(n), ++i;
    } else if (arg == "--frames" && hasValue && Number(argv[i + 1], 1, &n)) {
      o->replayFrames = n, ++i;
    } else if (positional == 0 && Number(arg, 1, &n)) {
      o->ticks = n, ++positional;
    } else if (positional == 1 && Number(arg, 0, &n)) {
      o->seed = static_cast<uint64_t>(n), ++positional;
    } else {
      return false;
    }
  }
  return o->replay.empty() ? o->ticks > 0 : o->replayFrames > 0;
}

void PrintPhases(const char* who, const PhaseTicks& p) {
  std::printf("%s", who);
  for (int k = 0; k < kPhaseCount; ++k) std::printf("%s %s %lld", k ? "," : "", kPhaseNames[k], (long long)p.ticks[k]);
  std::printf("; %lld game overs, %lld bosses, %lld breaks, %lld endings\n", (long long)p.gameOvers,
              (long long)p.bossArrivals, (long long)p.bossBreaks, (long long)p.endings);
}

// What a run sends back to the soak through its pipe.
struct RunReport {
  RunResult result;
  PlayCounts counts;
};

struct RunPlan {
  int index;
  int stage;
  uint32_t gameSeed;
  uint64_t keySeed;
  int64_t ticks;
  std::string script;
};

// The child: one program run from the program's state at load; writes its report and exits.
[[noreturn]] void RunChild(const RunPlan& plan, int pipe) {
  std::FILE* script = std::fopen(plan.script.c_str(), "w");
  if (script == nullptr) std::_Exit(3);
  std::fprintf(script, "# hoshikuzu-soak run %d: stage %d, game seed %u, key seed %llu\n", plan.index, plan.stage,
               plan.gameSeed, (unsigned long long)plan.keySeed);
  RandomPlayer player(plan.keySeed, plan.stage, plan.ticks - 1);
  RunReport report;
  report.result = RunProgram(plan.gameSeed, plan.ticks, [&](int64_t tick, std::vector<ScriptEvent>* events) {
    player.EventsFor(tick, events);
  }, script);
  report.counts = player.Counts();
  std::fclose(script);
  if (!report.result.broken) std::remove(plan.script.c_str());
  ssize_t written = write(pipe, &report, sizeof report);
  close(pipe);
  // exit, not _Exit: the leak checker of a sanitizer build looks at this run's teardown now.
  std::exit(written == sizeof report ? 0 : 3);
}

// Runs plan in a child process. False after a broken invariant, a crash or a sanitizer's report.
bool RunInChild(const RunPlan& plan, RunReport* report) {
  int ends[2];
  if (pipe(ends) != 0) return false;
  std::fflush(stdout);
  pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    RunChild(plan, ends[1]);
  }
  close(ends[1]);
  ssize_t got = child > 0 ? read(ends[0], report, sizeof *report) : -1;
  close(ends[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  bool exited = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (got == sizeof *report && report->result.broken) {
    std::printf("BROKEN at tick %lld of run %d (stage %d, game seed %u, key seed %llu): %s\n",
                (long long)report->result.brokenTick, plan.index, plan.stage, plan.gameSeed,
                (unsigned long long)plan.keySeed, report->result.what);
  } else if (got != sizeof *report || !exited) {
    std::printf("CRASHED in run %d (stage %d, game seed %u, key seed %llu): %s %d; see the report above\n",
                plan.index, plan.stage, plan.gameSeed, (unsigned long long)plan.keySeed,
                WIFSIGNALED(status) ? "signal" : "exit status", WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
  } else {
    return true;
  }
  int64_t frames = report->result.broken ? report->result.brokenTick + 1 : plan.ticks;
  std::printf("replay: hoshikuzu-soak --replay %s --seed %u --frames %lld\n"
              "    or: hoshikuzu-headless --seed %u --frames %lld --input %s --state %lld\n",
              plan.script.c_str(), plan.gameSeed, (long long)frames, plan.gameSeed, (long long)frames,
              plan.script.c_str(), (long long)frames - 1);
  return false;
}

int Soak(const Options& o) {
  std::error_code ignored;
  std::filesystem::create_directories(o.out, ignored);
  int64_t perRun = o.runTicks > 0 ? o.runTicks : std::min(kLongestRun, std::max<int64_t>(1, o.ticks / 4));
  int64_t done = 0;
  PhaseTicks all;
  auto start = std::chrono::steady_clock::now();
  for (int r = 0; done < o.ticks; ++r) {
    RunPlan plan{r, r % 4, static_cast<uint32_t>(o.seed * 7919 + r), (o.seed << 32) | static_cast<uint32_t>(r),
                 std::min(perRun, o.ticks - done),
                 o.out + "/soak-" + std::to_string(o.seed) + "-run" + std::to_string(r) + ".txt"};
    RunReport report;
    if (!RunInChild(plan, &report)) return 1;
    done += report.result.ticks;
    all += report.result.phases;
    const PlayCounts& c = report.counts;
    std::printf("run %d: stage %d, %lld ticks, %lld events, %lld restarts, %lld lives given back, "
                "%lld jumps over %lld frames\n", r, plan.stage, (long long)report.result.ticks, (long long)c.events,
                (long long)c.restarts, (long long)c.topUps, (long long)c.jumps, (long long)c.framesJumped);
    PrintPhases("  ticks:", report.result.phases);
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  PrintPhases("all ticks:", all);
  std::printf("soak passed: %lld ticks in %.1f s, %.0f ticks/s, seed %llu\n", (long long)done, seconds,
              done / seconds, (unsigned long long)o.seed);
  return 0;
}

int Replay(const Options& o) {
  std::string text, error;
  std::vector<ScriptEvent> events;
  bool read = ReadScriptFile(o.replay, &text);
  if (!read || !ParseScript(text, o.replay, &events, &error)) {
    std::fprintf(stderr, "hoshikuzu-soak: %s\n", read ? error.c_str() : ("cannot read " + o.replay).c_str());
    return 2;
  }
  size_t next = 0;
  RunResult result = RunProgram(o.replaySeed, o.replayFrames, [&](int64_t tick, std::vector<ScriptEvent>* out) {
    for (; next < events.size() && events[next].tick == tick; ++next) out->push_back(events[next]);
  }, nullptr);
  if (result.broken) {
    std::printf("BROKEN at tick %lld: %s\n", (long long)result.brokenTick, result.what);
    return 1;
  }
  std::printf("replay held: %lld ticks\n", (long long)result.ticks);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each run's line as it ends, also into a pipe
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return options.replay.empty() ? Soak(options) : Replay(options);
}
