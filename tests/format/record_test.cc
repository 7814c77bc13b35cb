// Tests of the header, data and terminator records and of pinned bytes.
#include <gtest/gtest.h>

#include "format/c_array.h"
#include "image/device_profile.h"
#include "srec_reader.h"

namespace {

TEST(HeaderRecord, NamesTheOutputFile) {
  struct Case {
    const char* name;
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
    ImageSpec image;
    image.name = c.name;
    EXPECT_EQ(imageText(image), c.record + "\nS9030000FC\n");
  }
  // Only the first 36 bytes of a longer name are carried.
  ImageSpec image;
  image.name =
      "\xC3\xA9"
      "abcdefghijklmnopqrstuvwxyz0123456789";
  std::vector<Record> r = readRecords(imageText(image));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(std::string(r[0].data.begin() + 22, r[0].data.end()),
            "\xC3\xA9"
            "abcdefghijklmnopqrstuvwxyz01234567");
}

// A C array's name: the file's, made a C identifier that clashes with no
// keyword, <stdint.h> name or implementation name.
TEST(CArray, TakesItsNameFromTheFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"fw.c", "fw"},
      {"out/9-lives.v2.c", "_9_lives_v2"},
      {"", "image"},
      {".c", "_c"},
      {"int.c", "int_"},
      {"linux.c", "linux_"},
      {"uint8_t.c", "uint8_t_"},
      {"UINT8_MAX.c", "UINT8_MAX_"},
      {"__x.c", "__x_"},
      {"_Fw.c", "_Fw_"},
      {"_fw.c", "_fw"},
      {"d.c/Fw", "Fw"},
  };
  for (const auto& c : cases) EXPECT_EQ(arrayName(c.first), c.second);
}

TEST(DataRecord, TypeFollowsTheAddressAndBytesFollowTheSeed) {
  struct Case {
    uint32_t address;
    unsigned count;
    const char* head;
  } cases[] = {
      {0x0, 32, "S1230000"},          {0xFFFF, 1, "S104FFFF"},
      {0x10000, 1, "S205010000"},     {0xFFFFFF, 1, "S205FFFFFF"},
      {0x1000000, 5, "S30A01000000"}, {0xFFFFFFE0, 32, "S325FFFFFFE0"},
  };
  for (const Case& c : cases) {
    ImageSpec image;
    image.seed = 7;
    image.pairs = {{c.address, c.address + (c.count - 1)}};
    std::string text = imageText(image);
    std::string line = text.substr(text.find('\n') + 1);
    EXPECT_EQ(line.substr(0, strlen(c.head)), c.head);
    std::vector<Record> r = dataRecords(text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].address, c.address);
    EXPECT_EQ(r[0].data, seededFill(7, c.count)) << c.head;
  }
}

// Profile regions (hcs08's here) and pins replace fill bytes, each over the
// one before, and every byte still takes its draw.
TEST(DataRecord, PinsWinOverEarlierPinsAndTheProfile) {
  const DeviceProfile* hcs08 = findDeviceProfile("-hcs08");
  ASSERT_NE(hcs08, nullptr);
  struct Case {
    unsigned unit;
    std::vector<PinnedBlock> pins;
    uint32_t start, end;
    std::vector<int> want;  // -1: the fill byte.
  } cases[] = {
      // A pin over the security byte, and a later pin over that pin.
      {1,
       {{0xFFBD, {0x11, 0x22}}, {0xFFBE, {0x33}}},
       0xFFBC,
       0xFFC0,
       {0xFF, 0x11, 0x33, 0xFE, -1}},
      // Word addresses: byte k lies in word 0x10 + k / 2.
      {2,
       {{0x11, {0xAA, 0xBB, 0xCC}}},
       0x10,
       0x12,
       {-1, -1, 0xAA, 0xBB, 0xCC, -1}},
      {1, {{0x100, {0xAA}}}, 0, 3, {-1, -1, -1, -1}},  // Outside the range.
  };
  for (const Case& c : cases) {
    ImageSpec image;
    image.seed = 11;
    image.unit = c.unit;
    image.profile = hcs08;
    image.pins = c.pins;
    image.pairs = {{c.start, c.end}};
    std::vector<uint8_t> want = seededFill(11, c.want.size());
    for (size_t i = 0; i < want.size(); ++i)
      if (c.want[i] >= 0) want[i] = static_cast<uint8_t>(c.want[i]);
    EXPECT_EQ(dataBytes(imageText(image)), want) << std::hex << c.start;
  }
}

}  // namespace
