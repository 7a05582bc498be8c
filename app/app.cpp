// The application object and the main window: start-up in its fixed order, and teardown.
#include "app/app.h"

#include "game/game.h"
#include "platform/random.h"
#include "render/render.h"
#include "sound/sound.h"

CTheApp theApp;

uint8_t g_FrameNo = 0;
CMainWindow* g_hWnd = nullptr;
GfxSystem* g_Direct3D = nullptr;
GfxDevice* g_Device = nullptr;
GfxLine* g_Line = nullptr;

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr int kIconId = 154;
constexpr int kDeviceKinds = 3;

template <typename T>
void Release(T*& object) {
  if (object == nullptr) return;
  object->Release();
  object = nullptr;
}

}  // namespace

bool CTheApp::InitInstance() {
  m_pMainWnd = new CMainWindow();
  // Without a window there is nothing to run; the window object has already reported why.
  return g_hWnd != nullptr;
}

CMainWindow::CMainWindow() : m_FireArmed(0) {
  if (!Create("ほしくずぼうや", kClientWidth, kClientHeight, kIconId)) {
    FrameworkMessageBox("The game window could not be created.");
    return;
  }
  g_hWnd = this;
  g_Direct3D = GfxSystem::Create();
  if (g_Direct3D == nullptr || !InitDevice()) {
    FrameworkMessageBox("D3D No Create ");
    ReleaseDirect3D();
  }
  if (g_Device != nullptr) InitRenderState();
  if (StartSoundEngine() != 0) FrameworkMessageBox("XAudio2 No Initialize");
  SeedRand(MillisecondClock());
  g_HalfPixel = 0.5f;
  m_FireArmed = 1;
  g_Life = -2;
  g_ClearPhase = 0;
}

void CMainWindow::OnDestroy() {
  FrameWindow::OnDestroy();
  StopSoundEngine();
  Release(g_Line);
  ReleaseAllTextures();
  Release(g_Device);
  Release(g_Direct3D);
  g_hWnd = nullptr;
  PostQuitMessage(0);
}

bool InitDevice() {
  DisplayMode mode;
  if (!g_Direct3D->GetDisplayMode(&mode)) return false;
  for (int kind = 0; kind < kDeviceKinds; ++kind) {
    g_Device = g_Direct3D->CreateDevice(kind);
    if (g_Device != nullptr) return true;
  }
  return false;
}

void InitRenderState() {
  // The device always multiplies texture and vertex colour and blends by alpha; only the line drawer
  // of the results graph needs making.
  g_Line = CreateLine(g_Device);
  if (g_Line == nullptr) {
    ShowError("ID3DXLineインスタンスの生成に失敗しました");
    return;
  }
  if (!g_Line->SetAntialias(true)) ShowError("アンチエイリアスの設定に失敗しました");
}

void ReleaseDirect3D() {
  Release(g_Line);
  ReleaseAllTextures();
  Release(g_Device);
  Release(g_Direct3D);
}

void ShowError(const char* text) { ShowMessageBox(text, "ERROR"); }
