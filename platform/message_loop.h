// What both hosts' message loops keep track of: messages to the main window's handlers, the close
// request a handler posts, the quit message, and the idle processing between messages. The hosts only
// decide where messages come from and when an idle step is due.
#pragma once

#include <cstdint>

class Application;
class FrameWindow;

class MessageLoop {
 public:
  // The main window's handlers; null before it is created and after it is destroyed.
  void SetWindow(FrameWindow* window) { window_ = window; }
  bool HasWindow() const { return window_ != nullptr; }

  // Messages to the main window. Each is dropped once the window is gone or the loop is quitting.
  void DeliverChar(uint32_t character);
  void DeliverKeyUp(uint32_t virtualKey);
  void DeliverClose();

  // A close request from a handler: the window gets it right after the message being handled.
  void PostClose() { closePosted_ = true; }
  void PostQuit(int exitCode);
  bool Quit() const { return quit_; }
  int ExitCode() const { return exitCode_; }

  // One step of idle processing: the framework's own housekeeping on the first step after a message,
  // then one frame. True if the application wants more idle time.
  bool Idle(Application& app);
  // The application wanted no more idle time: no steps until the next message.
  bool IdleStopped() const { return idleStopped_; }

 private:
  bool Accepting() const { return window_ != nullptr && !quit_; }
  void AfterMessage();

  FrameWindow* window_ = nullptr;
  bool closePosted_ = false;
  bool quit_ = false;
  int exitCode_ = 0;
  long idleCount_ = 0;
  bool idleStopped_ = false;
};
