// Tests that the fill sequence is glibc's srand()/rand() sequence.
#include "srec/fill.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

TEST(Fill, FollowsTheCLibraryRandSequence) {
#ifndef __GLIBC__
  GTEST_SKIP() << "the C library is not glibc, whose rand() the fill follows";
#endif
  const auto clock = static_cast<uint32_t>(time(nullptr));
  FillGenerator fill;
  for (uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, clock}) {
    seedFill(&fill, seed);
    srand(seed);
    // Draws of every size, so that they straddle the generator's blocks.
    size_t mismatches = 0, drawn = 0;
    for (size_t n = 1; drawn < 1000000; n = n % kMaxFillDraw + 1) {
      const uint32_t* words = drawFill(&fill, n);
      for (size_t i = 0; i < n; ++i, ++drawn)
        mismatches += (words[i] >> 1) != static_cast<uint32_t>(rand());
    }
    EXPECT_EQ(mismatches, 0u) << "seed " << seed;
  }
}

}  // namespace
