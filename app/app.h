// The application object, the main window with its keyboard handlers, and the frame tick.
#pragma once

#include <cstdint>

#include "platform/framework.h"
#include "platform/gfx.h"

class CMainWindow : public FrameWindow {
 public:
  // Makes the window and brings up the graphics device, the sound engine and the random generator.
  CMainWindow();
  void OnChar(uint32_t character) override;
  void OnKeyUp(uint32_t virtualKey) override;
  void OnDestroy() override;

  int32_t m_FireArmed;   // 1 while the next Z may fire a volley; cleared by a volley, set by Z's release
};

class CTheApp : public Application {
 public:
  bool InitInstance() override;
  bool OnIdle(long count) override;
};

// ---- Program-wide values of the shell ----

extern uint8_t g_FrameNo;       // scene: 0 title set-up, 1 title, 10 stage set-up, 11 playing
extern CMainWindow* g_hWnd;     // the main window, owner of every message box
extern GfxSystem* g_Direct3D;   // the display system; null until made and after release
extern GfxDevice* g_Device;     // the graphics device; frames run only while it exists
extern GfxLine* g_Line;         // the line drawer of the results graph; null if it could not be made

// One frame: clear, dispatch on the scene, present. 1 after a presented frame, 0 for a bad scene.
int RunFrame();
// Opens the graphics device, trying its three ways in order. False if none works.
bool InitDevice();
// The fixed drawing state and the line drawer.
void InitRenderState();
// Releases the line drawer, every texture, the device and the display system.
void ReleaseDirect3D();
// A message box owned by the main window with the caption "ERROR".
void ShowError(const char* text);

// ---- Keyboard ----

extern uint8_t g_KeyDirs;                    // held directions: bit 1 up, 2 right, 4 down, 8 left
extern const int32_t g_KeyMoveTable[13][3];  // by g_KeyDirs: the ship's dx, dy and facing

// Copies row g_KeyDirs of g_KeyMoveTable into the ship's step and facing, except for impossible rows.
void ApplyKeyDirs();
