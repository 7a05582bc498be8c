// The game's entry point on the desktop: start SDL, run the application object, shut down.
#include <cstdio>
#include <cstring>

#include "platform/framework.h"
#include "platform/sdl/host_sdl.h"

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)) {
    std::printf("hoshikuzu: ほしくずぼうや, a vertically scrolling shoot-'em-up.\n"
                "Keys: K and S on the title, keypad 2/4/6/8 (Num Lock on) to move, Z to fire,\n"
                "Y to play again after game over, Q to quit, Alt+Enter for fullscreen.\n");
    return 0;
  }
  SdlHost host;
  g_Host = &host;
  if (!host.Init()) {
    std::fprintf(stderr, "hoshikuzu: cannot open a window: %s\n", host.Error());
    return 1;
  }
  Application* app = Application::Instance();
  int exitCode = 1;
  if (app != nullptr && app->InitInstance()) exitCode = host.Run(*app);
  host.Shutdown();
  return exitCode;
}
