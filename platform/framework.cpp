// The framework's side of windows, the application object and message boxes, over the host.
#include "platform/framework.h"

#include "platform/host.h"
#include "platform/picture.h"
#include "platform/resources.h"

Host* g_Host = nullptr;
const char* const kProgramName = "hoshikuzu";

namespace {
Application* g_Application = nullptr;
}

bool FrameWindow::Create(const char* caption, int width, int height, int iconId) {
  Picture icon;
  bool hasIcon = DecodeIcon(FindResource("ICON", iconId), 32, &icon, nullptr);
  alive_ = g_Host->CreateMainWindow(this, caption, width, height, hasIcon ? &icon : nullptr);
  return alive_;
}

void FrameWindow::PostClose() {
  if (alive_) g_Host->PostClose();
}

void FrameWindow::DestroyWindow() {
  if (!alive_) return;
  alive_ = false;
  OnDestroy();
  g_Host->DestroyMainWindow();
  // Like a framework frame window, the object goes with its window.
  Application* app = Application::Instance();
  if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  delete this;
}

Application::Application() { g_Application = this; }

Application::~Application() {
  if (g_Application == this) g_Application = nullptr;
}

bool Application::OnIdle(long count) { return count == 0; }

Application* Application::Instance() { return g_Application; }

void PostQuitMessage(int exitCode) { g_Host->PostQuit(exitCode); }

void ShowMessageBox(const char* text, const char* caption) { g_Host->ShowMessageBox(caption, text); }

void FrameworkMessageBox(const char* text) { g_Host->ShowMessageBox(kProgramName, text); }

uint32_t MillisecondClock() { return g_Host->Milliseconds(); }
