// The SDL host: a window with a 640 × 480 streaming texture shown with vertical sync where the display
// offers it, keyboard messages in the form the game's handlers take, and an audio device fed by the mixer.
#include "platform/sdl/host_sdl.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/audio.h"
#include "platform/framework.h"
#include "platform/picture.h"
#include "platform/sdl/keymap.h"

namespace {

// A present that returns sooner than this did not wait for the display, whatever the renderer claims.
constexpr double kVsyncMinimumSeconds = 0.002;
constexpr int kFastPresentsBeforeTimer = 30;

double Seconds(uint64_t ticks) { return static_cast<double>(ticks) / SDL_GetPerformanceFrequency(); }

void FeedAudio(void* engine, Uint8* stream, int length) {
  static_cast<AudioEngine*>(engine)->Mix(reinterpret_cast<int16_t*>(stream), length / 4);
}

// An OpenGL renderer whose implementation is itself a software rasterizer (Mesa's llvmpipe, softpipe or
// swrast, as on machines without a graphics driver) accelerates nothing: it draws the frame on the
// processor in threads of its own and then hands it to the window system, about ten times slower than
// SDL's software presentation, which copies the frame straight into the window.
bool DrawnBySoftwareOpenGl(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned int);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  constexpr unsigned int kGlRenderer = 0x1F01;
  const char* name = getString != nullptr ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
  if (name == nullptr) return false;
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
    if (std::strstr(name, software) != nullptr) return true;
  }
  return false;
}

// The next code point of UTF-8 text (malformed bytes are passed over one at a time).
uint32_t NextCodePoint(const unsigned char*& p) {
  uint32_t c = *p++;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (extra > 0) c &= 0x3F >> extra;
  for (; extra > 0 && (*p & 0xC0) == 0x80; --extra) c = (c << 6) | (*p++ & 0x3F);
  return c;
}

}  // namespace

bool SdlHost::Init() {
  // Window managers and docks group the window with its launcher by these names.
  setenv("SDL_VIDEO_X11_WMCLASS", "hoshikuzu", 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", "io.github.hoshikuzu.Hoshikuzu", 0);
  SDL_SetHint(SDL_HINT_APP_NAME, "ほしくずぼうや");
  // Integer scaling with nearest sampling keeps the pixel art crisp in fullscreen.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Software presentation copies into the window's own framebuffer rather than through an OpenGL texture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // With neither an X nor a Wayland display there is only the console's own display left to try;
  // asking the others would have their libraries print their complaints before ours.
  bool noDesktop = SDL_getenv("DISPLAY") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr;
  if (noDesktop) SDL_SetHint(SDL_HINT_VIDEODRIVER, "KMSDRM");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    if (noDesktop) SDL_SetError("no display found (is DISPLAY or WAYLAND_DISPLAY set?)");
    return false;
  }
  // Without a display SDL falls back to drivers that show nothing; a game nobody can see is an error,
  // unless those drivers were asked for by name.
  std::string driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if ((driver == "offscreen" || driver == "dummy") && (asked == nullptr || driver != asked)) {
    SDL_Quit();
    SDL_SetError("no display found (is DISPLAY or WAYLAND_DISPLAY set?)");
    return false;
  }
  return true;
}

void SdlHost::Shutdown() {
  ClosePresenter();
  CloseAudioOutput();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
  SDL_Quit();
}

bool SdlHost::CreateMainWindow(FrameWindow* window, const char* caption, int width, int height,
                               const Picture* icon) {
  window_ = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0);
  if (window_ == nullptr) return false;
  if (icon != nullptr) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(icon->pixels.data()), icon->width, icon->height, 32, icon->width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) {
      SDL_SetWindowIcon(window_, surface);
      SDL_FreeSurface(surface);
    }
  }
  loop_.SetWindow(window);
  return true;
}

void SdlHost::DestroyMainWindow() {
  loop_.SetWindow(nullptr);
  if (window_ != nullptr) SDL_HideWindow(window_);
}

void SdlHost::ShowMessageBox(const char* caption, const char* text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, window_) != 0) {
    SDL_Log("%s: %s", caption, text);
  }
}

bool SdlHost::GetDisplayMode(DisplayMode* mode) {
  SDL_DisplayMode desktop;
  int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) != 0) return false;
  *mode = DisplayMode{desktop.w, desktop.h, desktop.refresh_rate};
  return true;
}

bool SdlHost::OpenPresenter(int kind) {
  static constexpr Uint32 kRendererFlags[] = {
      SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC,
      SDL_RENDERER_ACCELERATED,
      SDL_RENDERER_SOFTWARE,
  };
  if (window_ == nullptr || (kind != 2 && softwareOpenGl_)) return false;
  renderer_ = SDL_CreateRenderer(window_, -1, kRendererFlags[kind]);
  if (renderer_ == nullptr) return false;
  if (kind != 2 && DrawnBySoftwareOpenGl(renderer_)) {
    softwareOpenGl_ = true;
    ClosePresenter();  // not accelerated after all: the game goes on to software presentation
    return false;
  }
  // The framebuffer is always opaque, so the texture takes it without alpha: nothing is blended when it is
  // drawn, and where the window has the same format the software presenter copies it as it is.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
  if (texture_ == nullptr) {
    ClosePresenter();
    return false;
  }
  SDL_RenderSetLogicalSize(renderer_, 640, 480);
  SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
  SDL_RendererInfo info;
  vsync_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  return true;
}

void SdlHost::PresentFrame(const uint32_t* pixels, int width, int height) {
  if (texture_ != nullptr) SDL_UpdateTexture(texture_, nullptr, pixels, width * 4);
  (void)height;
}

void SdlHost::ClosePresenter() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

bool SdlHost::OpenAudioOutput(AudioEngine* engine, int* rate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{}, have{};
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kAudioBufferFrames;
  want.callback = FeedAudio;
  want.userdata = engine;
  audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (audio_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  *rate = have.freq;
  SDL_PauseAudioDevice(audio_, 0);
  return true;
}

void SdlHost::CloseAudioOutput() {
  if (audio_ == 0) return;
  SDL_CloseAudioDevice(audio_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_ = 0;
}

void SdlHost::DeliverText(const char* utf8) {
  for (auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0;) loop_.DeliverChar(NextCodePoint(p));
}

void SdlHost::Dispatch(const SDL_Event& event) {
  if (!loop_.HasWindow()) return;
  switch (event.type) {
    case SDL_TEXTINPUT:
      DeliverText(event.text.text);
      return;
    case SDL_KEYDOWN:
      if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT) != 0 && !event.key.repeat) {
        ToggleFullscreen();
      }
      return;
    case SDL_KEYUP:
      loop_.DeliverKeyUp(VirtualKeyOf(event.key.keysym.sym, (event.key.keysym.mod & KMOD_NUM) != 0));
      return;
    case SDL_QUIT:
      loop_.DeliverClose();
      return;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        loop_.DeliverClose();
      } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
        renderer_ != nullptr ? ShowFrame() : PaintBlack();
      }
      return;
    default:
      return;
  }
}

void SdlHost::ToggleFullscreen() {
  bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlHost::PaintBlack() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_UpdateWindowSurface(window_);
}

void SdlHost::ShowFrame() {
  // Only a window larger than the frame (fullscreen) has borders to paint black.
  int width = 0, height = 0;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width != 640 || height != 480) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

const char* SdlHost::RendererName() const {
  SDL_RendererInfo info;
  return renderer_ != nullptr && SDL_GetRendererInfo(renderer_, &info) == 0 ? info.name : "";
}

// An opt-in timing log (HOSHIKUZU_TIMING set): the start-up benchmark waits for this line.
void SdlHost::NoteFirstFrame() {
  if (firstFrameShown_) return;
  firstFrameShown_ = true;
  if (std::getenv("HOSHIKUZU_TIMING") != nullptr) {
    std::fprintf(stderr, "hoshikuzu: first frame shown %u ms after SDL started\n", SDL_GetTicks());
  }
}

// Without a display that waits for its refresh, a precise sleep until the next step paces the loop.
void SdlHost::WaitForNextStep(uint64_t loopStart) {
  double spent = Seconds(SDL_GetPerformanceCounter() - loopStart);
  if (vsync_) {
    fastPresents_ = spent < kVsyncMinimumSeconds ? fastPresents_ + 1 : 0;
    if (fastPresents_ < kFastPresentsBeforeTimer) return;
  }
  double wait = pacer_.TimeToNextStep() - spent;
  if (wait <= 0) return;
  uint64_t until = SDL_GetPerformanceCounter() + static_cast<uint64_t>(wait * SDL_GetPerformanceFrequency());
  if (wait > 0.0005) std::this_thread::sleep_for(std::chrono::duration<double>(wait - 0.0004));
  while (SDL_GetPerformanceCounter() < until) std::this_thread::yield();
}

int SdlHost::Run(Application& app) {
  uint64_t last = SDL_GetPerformanceCounter();
  while (!loop_.Quit()) {
    SDL_Event event;
    if (loop_.IdleStopped()) {
      // No frames to run: sleep until the next message, as an idle message loop does.
      if (renderer_ == nullptr) PaintBlack();
      if (SDL_WaitEvent(&event) != 0) Dispatch(event);
      last = SDL_GetPerformanceCounter();
    }
    while (!loop_.Quit() && SDL_PollEvent(&event) != 0) Dispatch(event);
    uint64_t now = SDL_GetPerformanceCounter();
    int steps = pacer_.Advance(Seconds(now - last));
    last = now;
    for (int i = 0; i < steps; ++i) {
      if (!loop_.Idle(app)) break;
    }
    if (loop_.Quit() || loop_.IdleStopped()) continue;
    if (renderer_ != nullptr) {
      ShowFrame();
      NoteFirstFrame();
    }
    WaitForNextStep(now);
  }
  return loop_.ExitCode();
}
