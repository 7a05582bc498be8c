// The run loop: events, then the tick's frame, then its state line and screenshots; teardown at the end.
#include "tools/headless/runner.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "platform/framework.h"
#include "platform/gfx.h"
#include "platform/headless.h"
#include "platform/picture.h"
#include "sound/sound.h"
#include "tools/headless/state_json.h"
#include "tools/headless/timing.h"
#include "tools/headless/wav_file.h"

namespace {

constexpr int kWidth = GfxDevice::kWidth;
constexpr int kHeight = GfxDevice::kHeight;
constexpr int kAudioChannels = 2;

// The slot operations since the last state line; the sound hook is a plain function, so it lives here.
std::vector<std::string>* g_SoundLog = nullptr;

void LogSound(const char* operation, int slot) {
  if (g_SoundLog != nullptr) g_SoundLog->push_back(std::string(operation) + " " + std::to_string(slot));
}

class HeadlessRun {
 public:
  HeadlessRun(const RunOptions& options, const std::vector<ScriptEvent>& events, std::FILE* out);
  ~HeadlessRun();
  int Run();

 private:
  bool RunTick(int64_t tick);
  void Deliver(const ScriptEvent& event);
  bool WantsState(int64_t tick) const;
  void PrintState(int64_t tick);
  void WriteShots(int64_t tick);
  void WriteWav();
  void Fail(const std::string& what);

  const RunOptions& options_;
  const std::vector<ScriptEvent>& events_;
  std::FILE* out_;
  HeadlessHost host_;
  std::set<int64_t> stateTicks_;
  std::vector<Screenshot> shots_;   // by tick
  size_t nextEvent_ = 0;
  size_t nextShot_ = 0;
  std::vector<std::string> sounds_;
  size_t messagesShown_ = 0;
  int64_t ticksRun_ = 0;
  bool filesWritten_ = true;
  std::unique_ptr<TickTimer> timer_;   // only with --timing
};

HeadlessRun::HeadlessRun(const RunOptions& options, const std::vector<ScriptEvent>& events, std::FILE* out)
    : options_(options), events_(events), out_(out), stateTicks_(options.stateTicks.begin(), options.stateTicks.end()),
      shots_(options.shots) {
  auto byTick = [](const Screenshot& a, const Screenshot& b) { return a.tick < b.tick; };
  std::stable_sort(shots_.begin(), shots_.end(), byTick);
  ClearFaults();
  for (Fault fault : options.faults) InjectFault(fault);
  g_Host = &host_;
  host_.SetClock(options.seed);
  host_.SetQuiet(options.quiet);
  host_.SetCaptureAudio(!options.wavPath.empty());
  g_SoundLog = &sounds_;
  g_SoundSlotObserver = LogSound;
  if (!options.timingPath.empty()) timer_ = std::make_unique<TickTimer>();
}

HeadlessRun::~HeadlessRun() {
  g_SoundSlotObserver = nullptr;
  g_SoundLog = nullptr;
  g_Host = nullptr;
  ClearFaults();
}

void HeadlessRun::Deliver(const ScriptEvent& event) {
  switch (event.kind) {
    case EventKind::Char: host_.DeliverChar(event.code); break;
    case EventKind::KeyUp: host_.DeliverKeyUp(event.code); break;
    case EventKind::Close: host_.DeliverClose(); break;
    case EventKind::Set: WriteGameVariable(*event.variable, event.value); break;
  }
}

bool HeadlessRun::WantsState(int64_t tick) const {
  return stateTicks_.count(tick) != 0 || (options_.stateEvery > 0 && tick % options_.stateEvery == 0);
}

void HeadlessRun::PrintState(int64_t tick) {
  std::vector<std::string> messages;
  const std::vector<HeadlessHost::Message>& shown = host_.Messages();
  for (; messagesShown_ < shown.size(); ++messagesShown_) {
    messages.push_back(shown[messagesShown_].caption + ": " + shown[messagesShown_].text);
  }
  std::string line = StateJson(tick, sounds_, messages);
  sounds_.clear();
  line += '\n';
  std::fputs(line.c_str(), out_);
}

void HeadlessRun::WriteShots(int64_t tick) {
  // Without a graphics device nothing is presented, and the real window stays black.
  static const std::vector<uint32_t> kBlack(kWidth * kHeight, 0xFF000000u);
  const uint32_t* pixels = host_.Frame() != nullptr ? host_.Frame() : kBlack.data();
  for (; nextShot_ < shots_.size() && shots_[nextShot_].tick == tick; ++nextShot_) {
    const std::string& path = shots_[nextShot_].path;
    if (!WritePngFile(path, pixels, kWidth, kHeight, kWidth, false)) Fail("cannot write the screenshot " + path);
  }
}

void HeadlessRun::WriteWav() {
  // Without a sound engine nothing is mixed, but the run still lasted its ticks: write them as silence.
  std::vector<int16_t> mix = host_.CapturedAudio();
  size_t runLength = HeadlessHost::AudioFramesOfTicks(ticksRun_) * kAudioChannels;
  if (mix.size() < runLength) mix.resize(runLength, 0);
  if (!WriteWavFile(options_.wavPath, mix, kAudioChannels, HeadlessHost::kAudioRate)) {
    Fail("cannot write the sound mix to " + options_.wavPath);
  }
}

void HeadlessRun::Fail(const std::string& what) {
  std::fprintf(stderr, "hoshikuzu-headless: %s\n", what.c_str());
  filesWritten_ = false;
}

// One tick: its events, its frame, then what was asked for after it. False once the program has closed.
bool HeadlessRun::RunTick(int64_t tick) {
  for (; nextEvent_ < events_.size() && events_[nextEvent_].tick == tick; ++nextEvent_) Deliver(events_[nextEvent_]);
  if (host_.Quit()) return false;
  if (timer_) timer_->Begin();
  host_.Tick();
  if (timer_) timer_->End(tick);
  if (WantsState(tick)) PrintState(tick);
  WriteShots(tick);
  return true;
}

int HeadlessRun::Run() {
  if (!host_.Start(*Application::Instance())) {
    std::fprintf(stderr, "hoshikuzu-headless: the program did not start\n");
    return 1;
  }
  while (ticksRun_ < options_.frames && RunTick(ticksRun_)) ++ticksRun_;
  if (ticksRun_ < options_.frames && !options_.quiet) {
    std::fprintf(stderr, "hoshikuzu-headless: the program closed before tick %lld\n",
                 static_cast<long long>(ticksRun_));
  }
  int status = host_.Finish();
  std::fflush(out_);
  if (!options_.wavPath.empty()) WriteWav();
  if (timer_ && !timer_->Write(options_.timingPath)) Fail("cannot write the timing report to " + options_.timingPath);
  return filesWritten_ ? status : 1;
}

}  // namespace

int RunHeadless(const RunOptions& options, const std::vector<ScriptEvent>& events, std::FILE* out) {
  HeadlessRun run(options, events, out);
  return run.Run();
}
