// libFuzzer target: PNG, JPEG and icon bytes into textures of each format, with and without the colour key.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  static GfxDevice device(2);
  static constexpr TextureFormat kFormats[] = {TextureFormat::A8R8G8B8, TextureFormat::A1R5G5B5};
  static constexpr uint32_t kKeys[] = {kNoColorKey, kBlackColorKey};
  for (TextureFormat format : kFormats) {
    for (uint32_t key : kKeys) {
      if (GfxTexture* texture = device.CreateTexture(bytes, format, key)) {
        if (texture->Texels().size() != static_cast<size_t>(texture->Width()) * texture->Height()) __builtin_trap();
        texture->Release();
      }
    }
  }
  Picture icon;
  DecodeIcon(bytes, 32, &icon, nullptr);
  return 0;
}
