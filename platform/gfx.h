// The graphics device the game draws with: a 640 × 480 software framebuffer, textures and a line drawer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/picture_memory.h"
#include "platform/raster.h"

// The desktop's display mode; the device keeps its framebuffer in its own 32-bit format whatever it is.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int refreshRate = 0;
};

// How the texture keeps the picture's colours.
enum class TextureFormat {
  A8R8G8B8,  // 8 bits per channel, 8-bit alpha, as the picture has them
  A1R5G5B5,  // 5 bits per colour channel and alpha either 0 or 255
};

// A colour key of 0 means none; 0xFF000000 turns the picture's opaque black pixels fully transparent.
constexpr uint32_t kNoColorKey = 0;
constexpr uint32_t kBlackColorKey = 0xFF000000u;

class GfxTexture {
 public:
  // A texture known to be opaque needs no look at its texels' alpha.
  GfxTexture(int width, int height, PixelVector texels, bool knownOpaque = false);
  ~GfxTexture();
  GfxTexture(const GfxTexture&) = delete;
  GfxTexture& operator=(const GfxTexture&) = delete;
  // The texel bytes of every texture alive, for the runner's memory report.
  static size_t BytesHeld() { return bytesHeld_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const PixelVector& Texels() const { return texels_; }
  const TextureView& View() const { return view_; }
  void Release() { delete this; }

 private:
  int width_;
  int height_;
  PixelVector texels_;
  TextureView view_;
  static size_t bytesHeld_;
};

// Turns decoded ARGB pixels into texture texels by the format and colour key (exposed for tests).
void ConvertTexels(PixelVector& pixels, TextureFormat format, uint32_t colorKey);

// A point of a polyline, in screen pixels.
struct GfxPoint {
  float x, y;
};

class GfxDevice {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  explicit GfxDevice(int kind);
  int Kind() const { return kind_; }
  // The clear waits for the first draw: one that covers the whole screen with opaque pixels makes it
  // moot, anything else (or a read of the pixels) carries it out first.
  void Clear(uint32_t color);
  void BeginScene();
  void EndScene();
  // Hands the finished frame to the window (or, headless, keeps it for screenshots).
  void Present();
  void SetTexture(const GfxTexture* texture) { texture_ = texture; }
  // Draws the four vertices as a fan of two triangles with the current texture; nothing without one.
  void DrawQuad(const GfxVertex vertices[4]);
  // The polyline of the line drawer, for GfxLine.
  void DrawPolyline(const GfxPoint* points, int count, uint32_t color);
  // A texture from PNG or JPEG bytes at the picture's own size; null when the bytes do not decode.
  GfxTexture* CreateTexture(std::span<const uint8_t> bytes, TextureFormat format, uint32_t colorKey);
  const uint32_t* Pixels() const;
  int PresentCount() const { return presentCount_; }
  void Release();

 private:
  Canvas MakeCanvas() const { return Canvas{pixels_.data(), kWidth, kHeight, kWidth}; }
  void CarryOutClear() const;

  int kind_;
  bool inScene_ = false;
  int presentCount_ = 0;
  const GfxTexture* texture_ = nullptr;
  // The picture is the pixels with the pending clear applied, so a const read may carry it out.
  mutable PixelVector pixels_;
  mutable bool clearPending_ = true;   // a new device shows black
  uint32_t clearColor_ = 0xFF000000u;
};

// Draws the antialiased polyline of the results graph.
class GfxLine {
 public:
  explicit GfxLine(GfxDevice* device) : device_(device) {}
  bool SetAntialias(bool on);
  void Begin() { drawing_ = true; }
  void Draw(const GfxPoint* points, int count, uint32_t color);
  void End() { drawing_ = false; }
  void Release() { delete this; }

 private:
  GfxDevice* device_;
  bool drawing_ = false;
};

// The display system: exists when a window can be shown, and opens the device on it.
class GfxSystem {
 public:
  // Null when there is no display system.
  static GfxSystem* Create();
  bool GetDisplayMode(DisplayMode* mode);
  // Opens the device in one of three ways, tried in order by the caller: 0 accelerated presentation
  // with vertical sync, 1 accelerated without it, 2 software presentation. Null when that way fails.
  GfxDevice* CreateDevice(int kind);
  void Release() { delete this; }
};

// Null when the line drawer cannot be made.
GfxLine* CreateLine(GfxDevice* device);
