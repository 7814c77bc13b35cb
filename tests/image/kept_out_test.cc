// Tests of the zones a profile keeps out: the pieces of a range outside
// them, for a row of several zones.
#include "image/kept_out.h"

#include <gtest/gtest.h>

namespace {

using Pieces = std::vector<std::pair<uint32_t, uint32_t>>;

Pieces piecesOf(const std::vector<AddressPair>& pairs) {
  Pieces pieces;
  for (const AddressPair& p : pairs) pieces.emplace_back(p.start, p.end);
  return pieces;
}

TEST(KeptOut, TheRangeOutsideEveryZone) {
  ImageSpec image;
  image.profile = findDeviceProfile("-stm32l4");
  struct Case {
    uint32_t first, last;
    Pieces pieces;
    uint32_t zone;  // The first zone that holds an address, or 0.
  } cases[] = {
      // clang-format off
      {0x1FFF6FFF, 0x1FFF6FFF, {{0x1FFF6FFF, 0x1FFF6FFF}}, 0},
      {0x1FFF6FFF, 0x1FFF7000, {{0x1FFF6FFF, 0x1FFF6FFF}}, 0x1FFF7000},
      {0x1FFF7000, 0x1FFF73FF, {}, 0x1FFF7000},
      {0x1FFF73FF, 0x1FFF7830, {{0x1FFF7400, 0x1FFF77FF}, {0x1FFF7830, 0x1FFF7830}}, 0x1FFF7000},
      {0x1FFF7830, 0x1FFFF7FF, {{0x1FFF7830, 0x1FFFF7FF}}, 0},
      {0, 0xFFFFFFFF, {{0, 0x1FEFFFFF}, {0x1FF00030, 0x1FFF6FFF}, {0x1FFF7400, 0x1FFF77FF},
                       {0x1FFF7830, 0x1FFFF7FF}, {0x1FFFF830, 0xFFFFFFFF}}, 0x1FFF7000},
      // clang-format on
  };
  for (const Case& c : cases) {
    EXPECT_EQ(piecesOf(outsideZones(image, c.first, c.last)), c.pieces)
        << c.first;
    const KeptOutZone* zone = zoneWithin(image, c.first, c.last);
    EXPECT_EQ(zone == nullptr ? 0 : zone->first, c.zone) << c.first;
  }
  image.profile = nullptr;
  EXPECT_EQ(piecesOf(outsideZones(image, 5, 9)), (Pieces{{5, 9}}));
}

}  // namespace
