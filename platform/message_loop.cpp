#include "platform/message_loop.h"

#include "platform/framework.h"

void MessageLoop::DeliverChar(uint32_t character) {
  if (!Accepting()) return;
  window_->OnChar(character);
  AfterMessage();
}

void MessageLoop::DeliverKeyUp(uint32_t virtualKey) {
  if (!Accepting()) return;
  window_->OnKeyUp(virtualKey);
  AfterMessage();
}

void MessageLoop::DeliverClose() {
  if (!Accepting()) return;
  window_->OnClose();
  AfterMessage();
}

void MessageLoop::PostQuit(int exitCode) {
  quit_ = true;
  exitCode_ = exitCode;
}

// A message starts the idle count again, and a close request posted by a handler is handled right
// after it (a request posted while handling that one is handled in turn).
void MessageLoop::AfterMessage() {
  idleCount_ = 0;
  idleStopped_ = false;
  while (closePosted_ && Accepting()) {
    closePosted_ = false;
    window_->OnClose();
  }
  closePosted_ = false;
}

bool MessageLoop::Idle(Application& app) {
  if (quit_ || idleStopped_) return false;
  if (idleCount_ == 0 && !app.OnIdle(idleCount_++)) {
    idleStopped_ = true;
    return false;
  }
  idleStopped_ = !app.OnIdle(idleCount_++);
  return !idleStopped_;
}
