// The headless host: message boxes to standard error, frames kept in memory, sound mixed into a buffer.
#include "platform/headless.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/framework.h"

bool HeadlessHost::Start(Application& app) {
  app_ = &app;
  return app.InitInstance();
}

bool HeadlessHost::CreateMainWindow(FrameWindow* window, const char*, int, int, const Picture*) {
  loop_.SetWindow(window);
  return true;
}

void HeadlessHost::DestroyMainWindow() { loop_.SetWindow(nullptr); }

void HeadlessHost::ShowMessageBox(const char* caption, const char* text) {
  messages_.push_back(Message{caption, text});
  if (!quiet_) std::fprintf(stderr, "%s: %s\n", caption, text);
}

void HeadlessHost::DeliverChar(uint32_t character) { loop_.DeliverChar(character); }
void HeadlessHost::DeliverKeyUp(uint32_t virtualKey) { loop_.DeliverKeyUp(virtualKey); }
void HeadlessHost::DeliverClose() { loop_.DeliverClose(); }

bool HeadlessHost::Tick() {
  bool ran = app_ != nullptr && loop_.Idle(*app_);
  int frames = static_cast<int>(AudioFramesOfTicks(ticks_ + 1) - AudioFramesOfTicks(ticks_));
  ++ticks_;
  if (engine_ != nullptr) {
    mixBuffer_.resize(2 * static_cast<size_t>(frames));
    engine_->Mix(mixBuffer_.data(), frames);
    if (captureAudio_) audio_.insert(audio_.end(), mixBuffer_.begin(), mixBuffer_.end());
  }
  return ran;
}

int HeadlessHost::Finish() {
  loop_.DeliverClose();
  return loop_.ExitCode();
}

int HeadlessHost::Run(Application&) {
  while (!loop_.Quit() && Tick()) {
  }
  return loop_.ExitCode();
}

bool HeadlessHost::GetDisplayMode(DisplayMode* mode) {
  *mode = DisplayMode{640, 480, 60};
  return true;
}

bool HeadlessHost::OpenPresenter(int) { return true; }

void HeadlessHost::PresentFrame(const uint32_t* pixels, int, int) {
  frame_ = pixels;
  ++presented_;
}

bool HeadlessHost::OpenAudioOutput(AudioEngine* engine, int* rate) {
  engine_ = engine;
  *rate = kAudioRate;
  return true;
}
