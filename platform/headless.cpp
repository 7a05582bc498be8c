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
  window_ = window;
  return true;
}

void HeadlessHost::DestroyMainWindow() { window_ = nullptr; }

void HeadlessHost::PostQuit(int exitCode) {
  quit_ = true;
  exitCode_ = exitCode;
}

void HeadlessHost::ShowMessageBox(const char* caption, const char* text) {
  messages_.push_back(Message{caption, text});
  if (!quiet_) std::fprintf(stderr, "%s: %s\n", caption, text);
}

// A message resets the idle count, and a close request posted by a handler is handled right after it.
void HeadlessHost::AfterMessage() {
  idleCount_ = 0;
  idleStopped_ = false;
  while (closePosted_ && window_ != nullptr && !quit_) {
    closePosted_ = false;
    window_->OnClose();
  }
  closePosted_ = false;
}

void HeadlessHost::DeliverChar(uint32_t character) {
  if (window_ == nullptr || quit_) return;
  window_->OnChar(character);
  AfterMessage();
}

void HeadlessHost::DeliverKeyUp(uint32_t virtualKey) {
  if (window_ == nullptr || quit_) return;
  window_->OnKeyUp(virtualKey);
  AfterMessage();
}

void HeadlessHost::DeliverClose() {
  if (window_ == nullptr || quit_) return;
  window_->OnClose();
  AfterMessage();
}

bool HeadlessHost::Tick() {
  bool ran = false;
  if (app_ != nullptr && !quit_ && !idleStopped_) {
    if (idleCount_ == 0 && !app_->OnIdle(idleCount_++)) {
      idleStopped_ = true;
    } else {
      ran = app_->OnIdle(idleCount_++);
      idleStopped_ = !ran;  // no more idle time wanted until the next message
    }
  }
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
  DeliverClose();
  return exitCode_;
}

int HeadlessHost::Run(Application&) {
  while (!quit_ && Tick()) {
  }
  return exitCode_;
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
