// Translation of SDL's keys to the virtual key codes the game's key handlers take.
#pragma once

#include <SDL.h>

#include <cstdint>

// The virtual key code of key, or 0 for a key the game has no code for. The keypad's digit keys have
// their number codes only with Num Lock on; without it they are the cursor keys they double as.
uint32_t VirtualKeyOf(SDL_Keycode key, bool numLock);
