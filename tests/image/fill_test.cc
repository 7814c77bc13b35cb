// Tests that the fill follows glibc's srand()/rand() sequence, in runs of
// every length, which each vector kind and the scalar tail take a part of.
#include "image/fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "srec_reader.h"

namespace {

TEST(Fill, FollowsTheCLibraryRandSequence) {
#ifndef __GLIBC__
  GTEST_SKIP() << "the C library is not glibc, whose rand() the fill follows";
#endif
  const auto clock = static_cast<uint32_t>(time(nullptr));
  const size_t kBytes = 1000000;
  FillGenerator fill;
  for (uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, clock}) {
    std::vector<uint8_t> want = seededFill(seed, kBytes);
    seedFill(&fill, seed);
    // Runs of every length up to past the generator's blocks, so that they
    // straddle them at every offset, and skips between some of them.
    std::vector<uint8_t> bytes(kBytes);
    for (size_t done = 0, n = 1; done < kBytes; done += n, n = n % 5000 + 1) {
      n = std::min(n, kBytes - done);
      if (n % 7 == 3) {
        skipFill(&fill, n);
        std::copy_n(&want[done], n, &bytes[done]);
      } else {
        fillBytes(&fill, &bytes[done], n);
      }
    }
    size_t mismatches = 0;
    for (size_t i = 0; i < kBytes; ++i) mismatches += bytes[i] != want[i];
    EXPECT_EQ(mismatches, 0u) << "seed " << seed;
  }
}

}  // namespace
