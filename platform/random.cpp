// A linear congruential generator; the C library's rand differs between systems, this one does not.
#include "platform/random.h"

namespace {
uint32_t g_RandState = 1;
}

void SeedRand(uint32_t seed) { g_RandState = seed; }

int Rand() {
  g_RandState = g_RandState * 214013u + 2531011u;
  return static_cast<int>((g_RandState >> 16) & 0x7FFFu);
}
