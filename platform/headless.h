// The headless host: the same start-up, frames, handlers and teardown without a window or sound device,
// driven step by step by tests and tools. Frames run back to back; the clock and input are given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/message_loop.h"

class HeadlessHost : public Host {
 public:
  // The rate of the game's own sounds, so the mix is exactly what the voices play, sample for sample.
  static constexpr int kAudioRate = 11025;
  // About one tick of sound; the exact count alternates so that every second holds kAudioRate frames.
  static constexpr int kAudioFramesPerTick = kAudioRate / 60;
  // Frames of sound mixed in the first ticks ticks.
  static constexpr size_t AudioFramesOfTicks(long ticks) { return static_cast<size_t>(ticks) * kAudioRate / 60; }

  struct Message {
    std::string caption;
    std::string text;
  };

  // The millisecond clock's reading, which the game takes as its random seed.
  void SetClock(uint32_t milliseconds) { clock_ = milliseconds; }
  // Message boxes also go to standard error as "CAPTION: TEXT" unless quiet.
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  // Keeps the whole sound mix (16-bit stereo at kAudioRate) for writing out.
  void SetCaptureAudio(bool capture) { captureAudio_ = capture; }

  // Starts the program: the application's InitInstance. False if it failed.
  bool Start(Application& app);
  // Input, delivered to the main window between frames as the real message loop would.
  void DeliverChar(uint32_t character);
  void DeliverKeyUp(uint32_t virtualKey);
  void DeliverClose();
  // One step of idle processing, as the real loop makes once per 60 Hz step: the framework's
  // housekeeping after a message, then one frame; then 1/60 s of sound is mixed. True if a frame ran.
  bool Tick();
  // Closes the window if it is still open and returns the exit code.
  int Finish();
  bool Quit() const { return loop_.Quit(); }
  int ExitCode() const { return loop_.ExitCode(); }

  // The last presented frame (640 × 480 ARGB), or null before the first.
  const uint32_t* Frame() const { return frame_; }
  int PresentedFrames() const { return presented_; }
  const std::vector<Message>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  const std::vector<int16_t>& CapturedAudio() const { return audio_; }
  bool WindowOpen() const { return loop_.HasWindow(); }

  // Host
  bool CreateMainWindow(FrameWindow* window, const char* caption, int width, int height,
                        const Picture* icon) override;
  void DestroyMainWindow() override;
  void PostClose() override { loop_.PostClose(); }
  void PostQuit(int exitCode) override { loop_.PostQuit(exitCode); }
  void ShowMessageBox(const char* caption, const char* text) override;
  uint32_t Milliseconds() override { return clock_; }
  int Run(Application& app) override;
  bool HasDisplay() override { return true; }
  bool GetDisplayMode(DisplayMode* mode) override;
  bool OpenPresenter(int kind) override;
  void PresentFrame(const uint32_t* pixels, int width, int height) override;
  void ClosePresenter() override { frame_ = nullptr; }
  bool OpenAudioOutput(AudioEngine* engine, int* rate) override;
  void CloseAudioOutput() override { engine_ = nullptr; }

 private:
  Application* app_ = nullptr;
  MessageLoop loop_;
  AudioEngine* engine_ = nullptr;
  uint32_t clock_ = 0;
  bool quiet_ = false;
  bool captureAudio_ = false;
  long ticks_ = 0;
  int presented_ = 0;
  const uint32_t* frame_ = nullptr;
  std::vector<Message> messages_;
  std::vector<int16_t> audio_;
  std::vector<int16_t> mixBuffer_;
};
