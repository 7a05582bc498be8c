// The frame tick: every idle step with a device runs one frame of the current scene.
#include "app/app.h"
#include "game/game.h"
#include "title/title.h"

bool CTheApp::OnIdle(long count) {
  if (count != 0 && g_Device != nullptr) {
    RunFrame();
    return true;
  }
  return Application::OnIdle(count);
}

int RunFrame() {
  g_Device->Clear(0xFF000000u);
  g_Device->BeginScene();
  switch (g_FrameNo) {
    case 0:
      InitTitle();
      DrawTitle();
      break;
    case 1:
      DrawTitle();
      break;
    case 10:
      SetUpStage();
      PlayFrame();
      break;
    case 11:
      PlayFrame();
      break;
    default:
      // A scene number nothing ever stores: say so and leave this frame unpresented.
      ShowError("g_FrameNo の値が例外です。");
      return 0;
  }
  g_Device->EndScene();
  g_Device->Present();
  return 1;
}
