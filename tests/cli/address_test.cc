// Tests of reading address texts.
#include "cli/address.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseAddress, TakesCleanNumbersOfThe32BitSpaceOnly) {
  const uint32_t kBad = 0xBAD;  // Left alone when the text is refused.
  struct Case {
    const char* text;
    uint32_t want;
  } cases[] = {
      {"0", 0},
      {"65535", 0xFFFF},
      {"0x1F", 0x1F},
      {"0XfF", 0xFF},
      {"010", 8},
      {"037", 31},
      {" 16", 16},
      {"0x10 ", 16},
      {" \t+12\n", 12},
      {"+5", 5},
      {"-0", 0},
      {"-1", 0xFFFFFFFF},
      {"-0x20", 0xFFFFFFE0},
      {"-2147483648", 0x80000000},
      {"0x80000000", 0x80000000},
      {"4294967295", 0xFFFFFFFF},
      {"0xFFFFFFFF", 0xFFFFFFFF},
      {"00000000000000000000000000000000000017", 15},
      // Refused: no digits, digits of another base, junk, out of range.
      {"", kBad},
      {" ", kBad},
      {"-", kBad},
      {"0x", kBad},
      {"C000", kBad},
      {"0x1O00", kBad},
      {"08", kBad},
      {"12abc", kBad},
      {"1 2", kBad},
      {"- 1", kBad},
      {"+-1", kBad},
      {"0x-1", kBad},
      {"-word", kBad},
      {"4294967296", kBad},
      {"0x100000000", kBad},
      {"-2147483649", kBad},
      {"99999999999999999999999", kBad},
      {"-0x99999999999999999999", kBad},
  };
  for (const Case& c : cases) {
    uint32_t address = kBad;
    EXPECT_EQ(parseAddress(c.text, &address), c.want != kBad) << c.text;
    EXPECT_EQ(address, c.want) << '\'' << c.text << '\'';
  }
}

}  // namespace
