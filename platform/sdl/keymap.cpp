// The virtual key code table.
#include "platform/sdl/keymap.h"

namespace {

struct KeyRow {
  SDL_Keycode key;
  uint32_t code;          // with Num Lock on (or for keys it does not affect)
  uint32_t codeNoNumLock; // keypad keys with Num Lock off
};

constexpr KeyRow kKeys[] = {
    {SDLK_KP_0, 0x60, 0x2D}, {SDLK_KP_1, 0x61, 0x23}, {SDLK_KP_2, 0x62, 0x28}, {SDLK_KP_3, 0x63, 0x22},
    {SDLK_KP_4, 0x64, 0x25}, {SDLK_KP_5, 0x65, 0x0C}, {SDLK_KP_6, 0x66, 0x27}, {SDLK_KP_7, 0x67, 0x24},
    {SDLK_KP_8, 0x68, 0x26}, {SDLK_KP_9, 0x69, 0x21}, {SDLK_KP_PERIOD, 0x6E, 0x2E},
    {SDLK_KP_MULTIPLY, 0x6A, 0x6A}, {SDLK_KP_PLUS, 0x6B, 0x6B}, {SDLK_KP_MINUS, 0x6D, 0x6D},
    {SDLK_KP_DIVIDE, 0x6F, 0x6F}, {SDLK_KP_ENTER, 0x0D, 0x0D},
    {SDLK_BACKSPACE, 0x08, 0x08}, {SDLK_TAB, 0x09, 0x09}, {SDLK_RETURN, 0x0D, 0x0D},
    {SDLK_ESCAPE, 0x1B, 0x1B}, {SDLK_SPACE, 0x20, 0x20}, {SDLK_PAGEUP, 0x21, 0x21},
    {SDLK_PAGEDOWN, 0x22, 0x22}, {SDLK_END, 0x23, 0x23}, {SDLK_HOME, 0x24, 0x24},
    {SDLK_LEFT, 0x25, 0x25}, {SDLK_UP, 0x26, 0x26}, {SDLK_RIGHT, 0x27, 0x27}, {SDLK_DOWN, 0x28, 0x28},
    {SDLK_INSERT, 0x2D, 0x2D}, {SDLK_DELETE, 0x2E, 0x2E},
    {SDLK_LSHIFT, 0x10, 0x10}, {SDLK_RSHIFT, 0x10, 0x10}, {SDLK_LCTRL, 0x11, 0x11},
    {SDLK_RCTRL, 0x11, 0x11}, {SDLK_LALT, 0x12, 0x12}, {SDLK_RALT, 0x12, 0x12},
};

}  // namespace

uint32_t VirtualKeyOf(SDL_Keycode key, bool numLock) {
  if (key >= SDLK_a && key <= SDLK_z) return 0x41 + static_cast<uint32_t>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return 0x30 + static_cast<uint32_t>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + static_cast<uint32_t>(key - SDLK_F1);
  for (const KeyRow& row : kKeys) {
    if (row.key == key) return numLock ? row.code : row.codeNoNumLock;
  }
  return 0;
}
