// Tests of the header, data and terminator records.
#include <gtest/gtest.h>

#include <cerrno>

#include "srec/fill.h"
#include "srec/srec.h"
#include "srec_reader.h"

namespace {

TEST(HeaderRecord, NamesTheOutputFile) {
  struct Case {
    const char* text;
    std::string record;
  } cases[] = {
      {"app.sx",
       "S01F000044756D6D7953524543000000000000000000000001016170702E73784B"},
      {"app_Alt.sx",
       "S023000044756D6D7953524543000000000000000000000001016170705F416C742E73"
       "78C7"},
      {".sx", "S01C000044756D6D7953524543000000000000000000000001012E73788F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(captured([&](FILE* f) { writeHeaderRecord(f, c.text); }),
              c.record + "\n");
  }
  // Only the first 36 bytes of a longer name are carried.
  std::vector<Record> r = readRecords(captured([&](FILE* f) {
    writeHeaderRecord(f,
                      "\xC3\xA9"
                      "abcdefghijklmnopqrstuvwxyz0123456789");
  }));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].data.size(), 22u + 36u);
  EXPECT_EQ(std::string(r[0].data.begin() + 22, r[0].data.end()),
            "\xC3\xA9"
            "abcdefghijklmnopqrstuvwxyz01234567");
}

TEST(TerminatorRecord, CarriesTheLow16Bits) {
  EXPECT_EQ(captured([](FILE* f) { writeTerminatorRecord(f, 0); }),
            "S9030000FC\n");
  EXPECT_EQ(captured([](FILE* f) { writeTerminatorRecord(f, 0x12345); }),
            "S903234594\n");
}

TEST(DataRecord, TypeFollowsTheAddressAndBytesFollowTheSeed) {
  struct Case {
    uint32_t address;
    unsigned count;
    const char* head;
  } cases[] = {
      {0x0, 32, "S1230000"},          {0xFFF0, 16, "S113FFF0"},
      {0x10000, 1, "S205010000"},     {0xFFFFFF, 3, "S207FFFFFF"},
      {0x1000000, 5, "S30A01000000"}, {0xFFFFFFE0, 32, "S325FFFFFFE0"},
  };
  for (const Case& c : cases) {
    seedFill(7);
    std::string text =
        captured([&](FILE* f) { writeRecord(f, c.address, c.count); });
    EXPECT_EQ(text.substr(0, strlen(c.head)), c.head);
    std::vector<Record> r = readRecords(text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].address, c.address);
    EXPECT_EQ(r[0].data, seededFill(7, c.count)) << c.head;
  }
}

TEST(DataRecord, EmptyCountsWriteNothing) {
  for (unsigned count : {0u, 256u}) {
    EXPECT_EQ(captured([&](FILE* f) { writeRecordIfNonEmpty(f, 0, count); }),
              "");
  }
  // 257 is taken modulo 256: one byte.
  EXPECT_EQ(readRecords(
                captured([](FILE* f) { writeRecordIfNonEmpty(f, 0, 257); }))[0]
                .data.size(),
            1u);
}

TEST(DataRecord, RegionsReplaceDrawnBytesAndBlankWins) {
  resetFixedRegions();
  securityRegion.start = 4;
  securityRegion.length = 8;
  for (int i = 0; i < 16; ++i) securityRegion.content[i] = 0xA0 + i;
  blankRegion.start = 10;
  blankRegion.length = 4;
  for (int i = 0; i < 16; ++i) blankRegion.content[i] = 0xB0 + i;
  seedFill(11);
  std::string text = captured([](FILE* f) {
    writeRecord(f, 0, 16);
    writeRecord(f, 16, 4);  // After the regions: plain fill again.
  });
  resetFixedRegions();
  std::vector<uint8_t> want = seededFill(11, 20);
  for (int a = 4; a < 10; ++a) want[a] = 0xA0 + (a - 4);
  for (int a = 10; a < 14; ++a) want[a] = 0xB0 + (a - 10);
  EXPECT_EQ(layoutOf(text), (Layout{{0, 16}, {16, 4}}));
  EXPECT_EQ(dataBytes(text), want);
}

TEST(DataRecord, ReportsAFailedWrite) {
  FILE* full = fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  setvbuf(full, nullptr, _IONBF, 0);
  errno = 0;
  EXPECT_FALSE(writeRecord(full, 0, 32));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_FALSE(writeByteRange(full, 0, 0xFFFF));
  fclose(full);
}

}  // namespace
