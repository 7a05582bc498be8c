// The game's random generator: fixed sequence per seed, values in range.
#include <gtest/gtest.h>

#include "platform/random.h"

TEST(Random, SameSeedSameSequenceAndInRange) {
  SeedRand(12345);
  std::vector<int> first;
  for (int i = 0; i < 1000; ++i) first.push_back(Rand());
  SeedRand(12345);
  for (int i = 0; i < 1000; ++i) {
    int v = Rand();
    EXPECT_EQ(v, first[i]);
    EXPECT_GE(v, 0);
    EXPECT_LE(v, kRandMax);
  }
  SeedRand(12346);
  EXPECT_NE(Rand(), first[0]);
}
