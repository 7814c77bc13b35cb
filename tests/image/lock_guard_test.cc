// Tests of the judge over the bytes a part will hold: a made-up profile
// whose fields every source of bytes reaches, and what every row of the
// table keeps to.
#include "image/lock_guard.h"

#include <gtest/gtest.h>

#include "cli/tool_runner.h"
#include "srec_reader.h"

namespace {

using Kind = ByteSource::Kind;

// "held" lies in the block, "open" in no block, so that the fill and the
// gap fill reach it; each is safe as FFFF alone, and locked for good at 0.
DeviceProfile madeUp() {
  LockRule rule;
  rule.mask = rule.want = rule.goodMask = 0xFFFF;
  rule.effect = "locks";
  rule.forGood = "bricks";
  return {"test",
          "parts",
          nullptr,
          DeviceProfile::Words::kRefused,
          {{"block", 0x100, {0xFF, 0xFF, 0xFF, 0xFF}}},
          {},
          {{"held", 0x102, 2, rule}, {"open", 0x200, 2, rule}},
          {},
          "none"};
}

TEST(LockGuard, JudgesTheBytesEverySourceLeaves) {
  const DeviceProfile profile = madeUp();
  const long kImage = -1;  // The value the image holds at the field.
  struct Case {
    std::vector<std::string> args;
    Judged judged;
    const char* field;  // Null: no verdict.
    Kind source = Kind::kErased;
    size_t index = 0;  // Of the pin or check; the first address erased.
    long value = 0;
    bool forGood = false;
  } cases[] = {
      // clang-format off
      {{"app", "0x100", "0x102"}, Judged::kSettled, nullptr},
      {{"-erased", "00", "app", "0x100", "0x102"}, Judged::kSettled, "held", Kind::kErased, 0x103, 0x00FF},
      {{"-erased", "00", "app", "0x103", "0x103"}, Judged::kSettled, "held", Kind::kErased, 0x102, 0xFF00},
      {{"-pin", "0x102=0000", "app", "0", "0x1FF"}, Judged::kSettled, "held", Kind::kPin, 0, 0, true},
      {{"-pin", "0x102=00", "-pin", "0x103=00", "app", "0x100", "0x103"}, Judged::kSettled, "held", Kind::kPin, 1, 0, true},
      {{"-pin", "0x102=0000", "app", "0x100", "0x102"}, Judged::kSettled, "held", Kind::kPin, 0, 0xFF00},
      {{"-pin", "0x102=0000", "app", "0x100", "0x102"}, Judged::kLate, nullptr},
      {{"-bin", "-erased", "00", "app", "0", "0x1FF", "0x202", "0x2FF"}, Judged::kSettled, "open", Kind::kGap, 0, 0, true},
      {{"-carray", "-erased", "00", "app", "0", "0x1FF", "0x202", "0x2FF"}, Judged::kSettled, "open", Kind::kGap, 0, 0, true},
      {{"-bin", "-erased", "00", "app", "0", "0xFF", "0x104", "0x1FF"}, Judged::kSettled, nullptr},
      {{"-fill", "00", "app", "0x200", "0x201"}, Judged::kSettled, nullptr},
      {{"-fill", "00", "app", "0x200", "0x201"}, Judged::kLate, "open", Kind::kFill, 0, 0, true},
      {{"-fill", "1234", "app", "0x1FF", "0x201"}, Judged::kLate, "open", Kind::kFill, 0, 0x3412},
      {{"-seed", "5", "app", "0x1FE", "0x201"}, Judged::kLate, "open", Kind::kFill, 0, kImage},
      // Over an earlier range, the later one's draw stands.
      {{"-seed", "5", "app", "0x200", "0x201", "0x1F0", "0x201"}, Judged::kLate, "open", Kind::kFill, 0, kImage},
      {{"-seed", "5", "-fill", "keyed", "app", "0x200", "0x201", "0x1F0", "0x201"}, Judged::kLate, "open", Kind::kFill, 0, kImage},
      {{"-seed", "5", "-crc", "sum16:0x200:0:0x1FF", "app", "0", "0x201"}, Judged::kSettled, nullptr},
      {{"-seed", "5", "-crc", "sum16:0x200:0:0x1FF", "app", "0", "0x201"}, Judged::kLate, "open", Kind::kCheck, 0, kImage},
      {{"-seed", "5", "-pin", "0x200=FFFF", "-crc", "sum8:0x201", "app", "0", "0x201"}, Judged::kLate, "open", Kind::kPin, 0, kImage},
      // clang-format on
  };
  for (const Case& c : cases) {
    ImageSpec image = specOf(c.args);
    image.profile = &profile;
    const std::vector<FieldVerdict> verdicts = judgeFields(image, c.judged);
    const std::string row = c.args[0] + " " + c.args[1] + " " + c.args.back();
    if (c.field == nullptr) {
      EXPECT_TRUE(verdicts.empty()) << row;
      continue;
    }
    ASSERT_EQ(verdicts.size(), 1u) << row;
    const FieldVerdict& v = verdicts[0];
    EXPECT_STREQ(v.field->name, c.field) << row;
    EXPECT_EQ(v.source.kind, c.source) << row;
    EXPECT_EQ(c.source == Kind::kErased ? v.source.first : v.source.index,
              c.index)
        << row;
    long value = c.value;
    if (value == kImage) {
      Memory held = memoryOf(imageText(image));
      value = held[0x200] | held[0x201] << 8;
    }
    EXPECT_EQ(v.value, static_cast<uint32_t>(value)) << row;
    EXPECT_EQ(v.forGood, c.forGood) << row;
    EXPECT_STREQ(v.effect, c.forGood ? "bricks" : "locks") << row;
  }
}

// Each row's own blocks hold every byte of its fields, in rising order, and
// leave the part open: the fill never reaches a field.
TEST(LockGuard, EveryProfileAloneLeavesThePartOpen) {
  for (const DeviceProfile& profile : deviceProfiles()) {
    ImageSpec image;
    image.profile = &profile;
    image.unit = profile.words == DeviceProfile::Words::kNeeded ? 2 : 1;
    for (const ProfileBlock& b : profile.blocks)
      image.pairs.push_back(
          {b.address, static_cast<uint32_t>(b.address + (b.bytes.size() - 1) /
                                                            image.unit)});
    uint32_t last = 0;
    for (const ProfileField& field : profile.fields) {
      EXPECT_GE(field.address, last) << field.name;
      last = field.address;
      bool inBlock = false;
      for (const ProfileBlock& b : profile.blocks)
        inBlock = inBlock ||
                  (field.address >= b.address &&
                   (field.address - b.address) * image.unit + field.width <=
                       b.bytes.size());
      EXPECT_TRUE(inBlock) << profile.family << " " << field.name;
    }
    EXPECT_TRUE(judgeFields(image, Judged::kSettled).empty()) << profile.family;
    EXPECT_TRUE(judgeFields(image, Judged::kLate).empty()) << profile.family;
    // -width 32 leaves a zone out by whole words.
    for (const KeptOutZone& zone : profile.zones)
      EXPECT_TRUE(zone.first % 4 == 0 && (zone.last + 1) % 4 == 0) << zone.what;
  }
}

}  // namespace
