// Tests of reading address texts.
#include "cli/address.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseAddress, ReadsAsStrtolAndCoversThe32BitSpace) {
  struct Case {
    const char* text;
    uint32_t want;
  } cases[] = {
      {"0", 0},
      {"65535", 0xFFFF},
      {"0x1F", 0x1F},
      {"0XfF", 0xFF},
      {"010", 8},
      {"09", 0},  // Octal stops at the 9.
      {" \t+12", 12},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"0x", 0},
      {"-1", 0xFFFFFFFF},
      {"-256", 0xFFFFFF00},
      {"-2147483648", 0x80000000},
      {"-2147483649", 0x80000000},
      {"-99999999999999999999", 0x80000000},
      {"0x7FFFFFFF", 0x7FFFFFFF},
      {"0x80000000", 0x80000000},
      {"4294967295", 0xFFFFFFFF},
      {"0x100000000", 0xFFFFFFFF},
      {"99999999999999999999", 0xFFFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(parseAddress(c.text), c.want) << c.text;
}

}  // namespace
