// Tests of cutting byte and word ranges into aligned records, and of
// pattern fills lining up with addresses.
#include <gtest/gtest.h>

#include "srec_reader.h"

namespace {

Layout rangeLayout(bool words, uint32_t start, uint32_t end) {
  ImageSpec image;
  image.unit = words ? 2 : 1;
  image.pairs = {{start, end}};
  return layoutOf(imageText(image));
}

TEST(Ranges, CutIntoAlignedRecords) {
  struct Case {
    bool words;
    uint32_t start, end;
    Layout want;
  } cases[] = {
      {false, 0x10, 0x4F, {{0x10, 16}, {0x20, 32}, {0x40, 16}}},
      {false, 5, 5, {{5, 1}}},
      {false, 0xFFB0, 0xFFFF, {{0xFFB0, 16}, {0xFFC0, 32}, {0xFFE0, 32}}},
      {false, 0xFFF0, 0x1000F, {{0xFFF0, 16}, {0x10000, 16}}},
      {false, 0x20, 0x10, {}},
      {false, 0xFFFFFFF0, 0xFFFFFFFF, {{0xFFFFFFF0, 16}}},
      {false, 0xFFFFFFFF, 0xFFFFFFFF, {{0xFFFFFFFF, 1}}},
      {false,
       0xFFFFFFA1,
       0xFFFFFFFF,
       {{0xFFFFFFA1, 31}, {0xFFFFFFC0, 32}, {0xFFFFFFE0, 32}}},
      {true, 5, 5, {{5, 2}}},
      {true, 0, 15, {{0, 32}}},
      {true, 8, 20, {{8, 16}, {16, 10}}},
      {true, 0x20, 0x10, {}},
      {true, 0xFFFFFFF8, 0xFFFFFFFF, {{0xFFFFFFF8, 16}}},
      {true, 0xFFFFFFE3, 0xFFFFFFFF, {{0xFFFFFFE3, 26}, {0xFFFFFFF0, 32}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rangeLayout(c.words, c.start, c.end), c.want)
        << (c.words ? "words " : "bytes ") << std::hex << c.start << ".."
        << c.end;
  }
}

TEST(Ranges, RecordTypeFollowsEachRecordsAddress) {
  ImageSpec image;
  image.unit = 2;
  image.pairs = {{0xFFFFF0, 0x100000F}};
  std::string types;
  for (const Record& r : dataRecords(imageText(image))) types += r.type;
  EXPECT_EQ(types, "23");
}

TEST(Ranges, PatternsLineUpWithAddresses) {
  struct Case {
    unsigned unit;
    std::vector<AddressPair> pairs;
    std::vector<uint8_t> want;
  } cases[] = {
      {1, {{3, 5}, {0x21, 0x22}}, {0xEF, 0xDE, 0xAD, 0xAD, 0xBE}},
      {2, {{1, 2}, {0x20, 0x20}}, {0xBE, 0xEF, 0xDE, 0xAD, 0xDE, 0xAD}},
  };
  for (const Case& c : cases) {
    ImageSpec image;
    image.unit = c.unit;
    image.pattern = {0xDE, 0xAD, 0xBE, 0xEF};
    image.pairs = c.pairs;
    EXPECT_EQ(dataBytes(imageText(image)), c.want) << "unit " << c.unit;
  }
}

}  // namespace
