// Tests of the check values against the catalogue's check of "123456789",
// and of the fast paths against the plain one.
#include "image/check_value.h"

#include <gtest/gtest.h>

#include <cstring>

#include "srec_reader.h"

namespace {

TEST(CheckValue, MatchesTheCatalogueAndItsOwnSlowPath) {
  struct Case {
    const char* kind;
    uint32_t check;
  } cases[] = {
      {"crc32", 0xCBF43926},    {"crc32-mpeg2", 0x0376E6E7},
      {"crc16-ccitt", 0x29B1},  {"crc16-xmodem", 0x31C3},
      {"crc16-modbus", 0x4B37}, {"sum8", 0xDD},
      {"sum16", 0x01DD},        {"sum32", 0x000001DD},
  };
  const std::vector<uint8_t> fill = seededFill(9, 1000);
  for (const Case& c : cases) {
    const CheckKind* kind = findCheckKind(c.kind, strlen(c.kind));
    ASSERT_NE(kind, nullptr) << c.kind;
    CheckSum whole, pieces;
    startCheck(&whole, *kind);
    updateCheck(&whole, reinterpret_cast<const uint8_t*>("123456789"), 9);
    EXPECT_EQ(checkValue(whole), c.check) << c.kind;
    // Eight at a time or one by one, and runs of one byte value, alike.
    startCheck(&whole, *kind);
    startCheck(&pieces, *kind);
    updateCheck(&whole, fill.data(), fill.size());
    for (size_t at = 0, n = 1; at < fill.size(); at += n, n = n % 13 + 1)
      updateCheck(&pieces, &fill[at], std::min(n, fill.size() - at));
    const std::vector<uint8_t> erased(300, 0xFF);
    updateCheck(&whole, erased.data(), erased.size());
    updateCheckRepeated(&pieces, 0xFF, erased.size());
    EXPECT_EQ(checkValue(pieces), checkValue(whole)) << c.kind;
  }
  EXPECT_EQ(findCheckKind("crc3", 4), nullptr);
}

}  // namespace
