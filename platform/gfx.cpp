// The graphics device over the software rasterizer; the window or the headless host shows its frames.
#include "platform/gfx.h"

#include <string>

#include "platform/faults.h"
#include "platform/host.h"
#include "platform/picture.h"

namespace {

// Whether every texel is opaque, and whether every one is opaque or clear, in one pass.
void ScanAlpha(const PixelVector& texels, TextureView* view) {
  bool opaque = true, binary = true;
  for (size_t i = 0; i < texels.size() && binary; ++i) {
    uint32_t a = texels[i] >> 24;
    opaque = opaque && a == 255;
    binary = a == 0 || a == 255;
  }
  view->opaque = opaque && binary;
  view->binaryAlpha = binary;
}

uint32_t FiveBits(uint32_t channel) {
  uint32_t c5 = channel >> 3;
  return (c5 << 3) | (c5 >> 2);
}

}  // namespace

size_t GfxTexture::bytesHeld_ = 0;

GfxTexture::GfxTexture(int width, int height, PixelVector texels, bool knownOpaque)
    : width_(width), height_(height), texels_(std::move(texels)) {
  bytesHeld_ += texels_.size() * sizeof(uint32_t);
  view_.texels = texels_.data();
  view_.width = width_;
  view_.height = height_;
  if (knownOpaque) {
    view_.opaque = view_.binaryAlpha = true;
  } else {
    ScanAlpha(texels_, &view_);
  }
}

GfxTexture::~GfxTexture() { bytesHeld_ -= texels_.size() * sizeof(uint32_t); }

void ConvertTexels(PixelVector& pixels, TextureFormat format, uint32_t colorKey) {
  if (format == TextureFormat::A8R8G8B8 && colorKey == kNoColorKey) return;  // the pixels are the texels
  for (uint32_t& p : pixels) {
    if (colorKey != kNoColorKey && p == colorKey) {
      p = 0;
      continue;
    }
    if (format == TextureFormat::A1R5G5B5) {
      uint32_t a = (p >> 24) >= 128 ? 0xFF000000u : 0;
      p = a | FiveBits((p >> 16) & 0xFF) << 16 | FiveBits((p >> 8) & 0xFF) << 8 | FiveBits(p & 0xFF);
    }
  }
}

GfxDevice::GfxDevice(int kind) : kind_(kind), pixels_(static_cast<size_t>(kWidth) * kHeight) {}

void GfxDevice::Clear(uint32_t color) {
  clearColor_ = color | 0xFF000000u;
  clearPending_ = true;
}

void GfxDevice::CarryOutClear() const {
  if (!clearPending_) return;
  std::fill(pixels_.begin(), pixels_.end(), clearColor_);
  clearPending_ = false;
}

const uint32_t* GfxDevice::Pixels() const {
  CarryOutClear();
  return pixels_.data();
}

void GfxDevice::BeginScene() { inScene_ = true; }

void GfxDevice::EndScene() { inScene_ = false; }

void GfxDevice::Present() {
  CarryOutClear();
  ++presentCount_;
  g_Host->PresentFrame(pixels_.data(), kWidth, kHeight);
}

void GfxDevice::DrawQuad(const GfxVertex vertices[4]) {
  if (!inScene_ || texture_ == nullptr) return;
  Canvas canvas = MakeCanvas();
  if (CoversCanvasOpaquely(canvas, texture_->View(), vertices)) {
    clearPending_ = false;
  } else {
    CarryOutClear();
  }
  ::DrawQuad(canvas, texture_->View(), vertices);
}

void GfxDevice::DrawPolyline(const GfxPoint* points, int count, uint32_t color) {
  if (!inScene_ || count < 2) return;
  static_assert(sizeof(GfxPoint) == 2 * sizeof(float));
  CarryOutClear();
  ::DrawPolyline(MakeCanvas(), reinterpret_cast<const float*>(points), count, color);
}

GfxTexture* GfxDevice::CreateTexture(std::span<const uint8_t> bytes, TextureFormat format, uint32_t colorKey) {
  Picture picture;
  std::string error;
  if (bytes.empty() || !DecodePicture(bytes, &picture, &error)) return nullptr;
  ConvertTexels(picture.pixels, format, colorKey);
  // Without an alpha channel every pixel is opaque, and only the key could have made some clear.
  bool opaque = !picture.hasAlpha && colorKey == kNoColorKey;
  return new GfxTexture(picture.width, picture.height, std::move(picture.pixels), opaque);
}

void GfxDevice::Release() {
  g_Host->ClosePresenter();
  delete this;
}

bool GfxLine::SetAntialias(bool on) {
  (void)on;  // the line is always drawn antialiased
  return !FaultActive(Fault::Antialias);
}

void GfxLine::Draw(const GfxPoint* points, int count, uint32_t color) {
  if (drawing_) device_->DrawPolyline(points, count, color);
}

GfxSystem* GfxSystem::Create() {
  if (FaultActive(Fault::GraphicsSystem) || !g_Host->HasDisplay()) return nullptr;
  return new GfxSystem();
}

bool GfxSystem::GetDisplayMode(DisplayMode* mode) {
  if (FaultActive(Fault::DisplayMode)) return false;
  return g_Host->GetDisplayMode(mode);
}

GfxDevice* GfxSystem::CreateDevice(int kind) {
  static constexpr Fault kDeviceFaults[] = {Fault::Device0, Fault::Device1, Fault::Device2};
  if (kind < 0 || kind > 2 || FaultActive(kDeviceFaults[kind])) return nullptr;
  if (!g_Host->OpenPresenter(kind)) return nullptr;
  return new GfxDevice(kind);
}

GfxLine* CreateLine(GfxDevice* device) {
  if (device == nullptr || FaultActive(Fault::Line)) return nullptr;
  return new GfxLine(device);
}
