// The machine under the game: a window with its keyboard, the display, the sound output and a clock.
// Two hosts implement it: the SDL host of the game and the headless host of tests and tools.
#pragma once

#include <cstdint>

#include "platform/gfx.h"

class Application;
class AudioEngine;
class FrameWindow;
struct Picture;

class Host {
 public:
  virtual ~Host() = default;

  // The main window: client area width × height, centred, with a caption, an icon and a close box.
  virtual bool CreateMainWindow(FrameWindow* window, const char* caption, int width, int height,
                                const Picture* icon) = 0;
  virtual void DestroyMainWindow() = 0;
  // Asks the window to close, as its close box does; the handlers run from the message loop.
  virtual void PostClose() = 0;
  // Ends the message loop once the current message is handled.
  virtual void PostQuit(int exitCode) = 0;
  // A modal message box with an OK button.
  virtual void ShowMessageBox(const char* caption, const char* text) = 0;
  virtual uint32_t Milliseconds() = 0;
  // The message loop with idle processing, until the quit message; returns the exit code.
  virtual int Run(Application& app) = 0;

  virtual bool HasDisplay() = 0;
  virtual bool GetDisplayMode(DisplayMode* mode) = 0;
  // Opens presentation of frames in way kind (see GfxSystem::CreateDevice).
  virtual bool OpenPresenter(int kind) = 0;
  virtual void PresentFrame(const uint32_t* pixels, int width, int height) = 0;
  virtual void ClosePresenter() = 0;

  // Starts pulling mixed sound from the engine; tells the output rate.
  virtual bool OpenAudioOutput(AudioEngine* engine, int* rate) = 0;
  virtual void CloseAudioOutput() = 0;
};

// The host the program runs on; set by main before anything else.
extern Host* g_Host;
