// Tests of the check values against the catalogue's check of "123456789",
// of models against a bitwise CRC of the test's own, and of the fast paths
// (slices, folds, runs of one byte) against taking bytes one by one.
#include "image/check_value.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bitwise_crc.h"
#include "srec_reader.h"

namespace {

// The value of kind over bytes, taken in pieces of 1 to 13 bytes, then a
// run of repeats of 0xA5.
uint32_t valueOf(const CheckKind& kind, const std::string& bytes,
                 size_t repeats = 0, bool pieces = false) {
  auto engine = std::make_unique<CrcEngine>();
  startCrcEngine(engine.get(), kind.model,
                 kind.algorithm == CheckKind::Algorithm::kCrcWords
                     ? CrcFeed::kWords
                     : CrcFeed::kBytes);
  CheckSum sum;
  startCheck(&sum, kind, engine.get());
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t at = 0, n = 1; at < bytes.size(); at += n, n = n % 13 + 1) {
    if (!pieces) n = bytes.size();
    updateCheck(&sum, p + at, std::min(n, bytes.size() - at));
  }
  updateCheckRepeated(&sum, 0xA5, repeats);
  return checkValue(sum, bytes.size() + repeats);
}

TEST(CheckValue, MatchesTheCatalogueAndItsOwnSlowPath) {
  struct Case {
    const char* kind;
    const char* bytes;
    uint32_t check;
  } cases[] = {
      {"crc32", "123456789", 0xCBF43926},
      {"crc32-mpeg2", "123456789", 0x0376E6E7},
      {"CRC32C", "123456789", 0xE3069283},
      {"crc32-stm32", "\x78\x56\x34\x12", 0xDF8A8A2B},
      {"crc32-stm32", "12345678", 0xFEFC54F9},
      {"crc16-ccitt", "123456789", 0x29B1},
      {"crc16-xmodem", "123456789", 0x31C3},
      {"crc16-modbus", "123456789", 0x4B37},
      {"crc16-arc", "123456789", 0xBB3D},
      {"sum8", "123456789", 0xDD},
      {"sum16", "123456789", 0x01DD},
      {"sum32", "123456789", 0x000001DD},
      {"sum8-neg", "123456789", 0x23},
      {"sum16-neg", "123456789", 0xFE23},
      {"sum32-neg", "123456789", 0xFFFFFE23},
      {"wsum32", "12345678", 0x6C6A6866},
      {"wsum32-neg", "12345678", 0x9395979A},
      {"len16", "123456789", 9},
      {"len32", "123456789", 9},
  };
  const std::vector<uint8_t> fill = seededFill(9, 1000);
  const std::string random(fill.begin(), fill.end());
  for (const Case& c : cases) {
    const CheckKind* kind = findCheckKind(c.kind, {});
    ASSERT_NE(kind, nullptr) << c.kind;
    EXPECT_EQ(valueOf(*kind, c.bytes), c.check) << c.kind;
    // In pieces, or whole; runs of a byte, long or short, or its copies.
    for (size_t repeats : {0, 8, 300, 100000})
      EXPECT_EQ(valueOf(*kind, random, repeats, true),
                valueOf(*kind, random + std::string(repeats, '\xA5')))
          << c.kind << " " << repeats;
  }
  EXPECT_EQ(findCheckKind("crc3", {}), nullptr);
  // Models of the catalogue, odd inits and mixed reflections among them,
  // against the bitwise CRC; and a model may take a built-in's name only
  // when nothing else has it.
  const CrcModel models[] = {
      {16, 0x1021, 0xB2AA, true, true, 0},        // CRC-16/RIELLO: 0x63D0
      {8, 0x07, 0, false, false, 0},              // CRC-8/SMBUS: 0xF4
      {8, 0x31, 0, true, true, 0},                // CRC-8/MAXIM-DOW: 0xA1
      {16, 0x8005, 0x1234, true, false, 0x5555},  // In and out differ.
      {32, 0x814141AB, 0x89ABCDEF, false, true, 7},
  };
  for (const CrcModel& model : models) {
    const CheckKind kind = {"m", CheckKind::Algorithm::kCrc, model.width,
                            model};
    for (const std::string& bytes : {std::string("123456789"), random}) {
      EXPECT_EQ(valueOf(kind, bytes, 0, true), bitwiseCrc(model, bytes))
          << model.poly << " " << model.init;
      EXPECT_EQ(valueOf(kind, bytes), bitwiseCrc(model, bytes)) << model.poly;
    }
  }
  EXPECT_EQ(bitwiseCrc(models[0], "123456789"), 0x63D0u);
  EXPECT_EQ(
      valueOf({"m", CheckKind::Algorithm::kCrc, 8, models[2]}, "123456789"),
      0xA1u);
}

}  // namespace
