// The small application framework the game's application object and main window derive from.
#pragma once

#include <cstdint>

// Virtual key codes of the keys whose release the game handles.
constexpr uint32_t kVkZ = 0x5A;
constexpr uint32_t kVkNumpad2 = 0x62;
constexpr uint32_t kVkNumpad4 = 0x64;
constexpr uint32_t kVkNumpad6 = 0x66;
constexpr uint32_t kVkNumpad8 = 0x68;

// The main window: the host delivers its keyboard and lifecycle messages to these handlers.
class FrameWindow {
 public:
  virtual ~FrameWindow() = default;
  // Creates the window, centred with a client area of exactly width × height, and shows it.
  bool Create(const char* caption, int width, int height, int iconId);
  // Asks for the window to close, as its close box does.
  void PostClose();
  // Destroys the window: OnDestroy runs first, while the window still exists; then the window object
  // deletes itself, so it must have been made with new.
  void DestroyWindow();

  // A typed character.
  virtual void OnChar(uint32_t character) { (void)character; }
  // A key released, by virtual key code.
  virtual void OnKeyUp(uint32_t virtualKey) { (void)virtualKey; }
  // The close box or a close request: by default the window is destroyed.
  virtual void OnClose() { DestroyWindow(); }
  virtual void OnDestroy() {}

 private:
  bool alive_ = false;
};

// The one application object of the program.
class Application {
 public:
  Application();
  virtual ~Application();
  virtual bool InitInstance() = 0;
  // Called whenever no message is waiting; count restarts at 0 after each message. Returns whether more
  // idle time is wanted. The framework's own processing: housekeeping at count 0, then no more.
  virtual bool OnIdle(long count);
  static Application* Instance();

  FrameWindow* m_pMainWnd = nullptr;
};

// Ends the message loop with this exit code.
void PostQuitMessage(int exitCode);
// A modal message box owned by the main window.
void ShowMessageBox(const char* text, const char* caption);
// The framework's own message box, captioned with the program's name.
void FrameworkMessageBox(const char* text);
// Milliseconds since the machine started, for seeding.
uint32_t MillisecondClock();

// The program's name, as the framework takes it from the executable.
extern const char* const kProgramName;
