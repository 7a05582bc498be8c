// The SDL host: the game's window, keyboard, display and sound output on a Linux desktop.
#pragma once

#include <SDL.h>

#include "platform/host.h"
#include "platform/message_loop.h"
#include "platform/pacer.h"

class SdlHost : public Host {
 public:
  // The mix runs at the rate of the game's sounds, so no voice is ever interpolated; SDL's converter, a
  // windowed-sinc resampler, takes it to the device's own rate.
  static constexpr int kMixRate = 11025;
  // Audio buffer in frames: small enough that effects stay in time with the picture (about 12 ms).
  static constexpr int kAudioBufferFrames = 128;

  // Starts SDL's video; false (with SDL's reason in Error()) when there is no display to open.
  bool Init();
  const char* Error() const { return SDL_GetError(); }
  void Shutdown();

  bool CreateMainWindow(FrameWindow* window, const char* caption, int width, int height,
                        const Picture* icon) override;
  void DestroyMainWindow() override;
  void PostClose() override { loop_.PostClose(); }
  void PostQuit(int exitCode) override { loop_.PostQuit(exitCode); }
  void ShowMessageBox(const char* caption, const char* text) override;
  uint32_t Milliseconds() override { return SDL_GetTicks(); }
  int Run(Application& app) override;
  bool HasDisplay() override { return true; }
  bool GetDisplayMode(DisplayMode* mode) override;
  bool OpenPresenter(int kind) override;
  void PresentFrame(const uint32_t* pixels, int width, int height) override;
  void ClosePresenter() override;
  bool OpenAudioOutput(AudioEngine* engine, int* rate) override;
  void CloseAudioOutput() override;

  // Puts the last uploaded frame on the screen (public for the presenting benchmark).
  void ShowFrame();
  // The SDL renderer presenting the frames, or "" before one is open.
  const char* RendererName() const;

 private:
  void Dispatch(const SDL_Event& event);
  void DeliverText(const char* utf8);
  void NoteFirstFrame();
  void WaitForNextStep(uint64_t loopStart);
  void ToggleFullscreen();
  void PaintBlack();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_AudioDeviceID audio_ = 0;
  MessageLoop loop_;
  FramePacer pacer_;
  bool vsync_ = false;
  int fastPresents_ = 0;      // presents in a row that returned at once although vertical sync was asked
  bool firstFrameShown_ = false;
  bool softwareOpenGl_ = false;  // OpenGL here is a software rasterizer: no accelerated presentation
};
