// The game's pseudo-random generator: our own fixed formula, so one seed gives the same game everywhere.
#pragma once

#include <cstdint>

constexpr int kRandMax = 32767;

// Starts the sequence again from seed.
void SeedRand(uint32_t seed);

// The next value of the sequence, 0 to 32767.
int Rand();
