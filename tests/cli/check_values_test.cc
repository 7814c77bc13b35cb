// Tests that each check value stands where it was asked for, little- or
// big-endian, as a computation of the test's own gives it over the bytes
// the image holds, and that nothing else in the image changes.
#include <gtest/gtest.h>

#include "cli/tool_runner.h"
#include "image/image.h"
#include "srec_reader.h"

namespace {

// A check kind in the terms of the CRC catalogue, computed bit by bit.
struct Model {
  const char* name;
  unsigned width;
  bool sum;
  uint32_t poly, init;
  bool reflected;
  uint32_t xorOut;
};
const Model kModels[] = {
    {"crc32", 32, false, 0x04C11DB7, 0xFFFFFFFF, true, 0xFFFFFFFF},
    {"crc32-mpeg2", 32, false, 0x04C11DB7, 0xFFFFFFFF, false, 0},
    {"crc16-ccitt", 16, false, 0x1021, 0xFFFF, false, 0},
    {"crc16-xmodem", 16, false, 0x1021, 0, false, 0},
    {"crc16-modbus", 16, false, 0x8005, 0xFFFF, true, 0},
    {"sum8", 8, true, 0, 0, false, 0},
    {"sum16", 16, true, 0, 0, false, 0},
    {"sum32", 32, true, 0, 0, false, 0},
};

uint64_t reflect(uint64_t v, unsigned bits) {
  uint64_t out = 0;
  for (unsigned i = 0; i < bits; ++i) out |= ((v >> i) & 1) << (bits - 1 - i);
  return out;
}

uint32_t checkOf(const Model& m, const std::string& bytes) {
  const uint64_t mask = (uint64_t{1} << m.width) - 1, top = mask ^ (mask >> 1);
  uint64_t r = m.init;
  for (unsigned char c : bytes) {
    if (m.sum) {
      r = (r + c) & mask;
      continue;
    }
    r ^= uint64_t{m.reflected ? static_cast<unsigned char>(reflect(c, 8)) : c}
         << (m.width - 8);
    for (int bit = 0; bit < 8; ++bit)
      r = ((r & top) != 0 ? (r << 1) ^ m.poly : r << 1) & mask;
  }
  if (!m.sum && m.reflected) r = reflect(r, m.width);
  return static_cast<uint32_t>(m.sum ? r : r ^ m.xorOut);
}

TEST(CheckValues, StandWhereAskedAndChangeNothingElse) {
  struct Case {
    std::vector<std::string> checks;  // The -crc values.
    std::vector<std::string> pairs;
  } cases[] = {
      // Across the end of a stretch of bytes, and of a slice.
      {{"crc32:0xFFE:0:0xFFD", "sum8-be:0xFFFFE:0x1002:0xFFFFD",
        "crc16-modbus-be:0x100000:0x100002:0x1FFFFF"},
       {"0", "0x1FFFFF"}},
      // Before regions that span stretches and slices, and a gap that
      // counts as erased.
      {{"crc32-mpeg2-be:0:4:0x17FFFF", "sum32:0x180000:0x180004:0x1FFFFB",
        "crc16-ccitt:0x1FFFFE:0x180004:0x1FFFFB"},
       {"0", "0xFFFFF", "0x100800", "0x1FFFFF"}},
      {{"crc16-xmodem-be:0x7FFE:0x24:0x7FFD", "sum16-be:0x20:0:0x1F",
        "sum8:0x22:0:0"},
       {"0", "0x7FFF"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"-bin", "-seed", "5", "-pin", "0x11=AB"};
    std::vector<std::string> plain = args;  // The same without the values.
    for (const std::string& check : c.checks) {
      args.push_back("-crc");
      args.push_back(check);
    }
    for (std::vector<std::string>* a : {&args, &plain}) {
      a->push_back("app");
      a->insert(a->end(), c.pairs.begin(), c.pairs.end());
    }
    const ImageSpec image = specOf(args);
    std::string with = imageText(image), without = imageText(specOf(plain));
    ASSERT_EQ(with.size(), without.size());
    uint32_t base = image.pairs[0].start;
    std::string expected = without;
    for (const PlacedCheck& check : image.checks) {
      const std::string name = check.text.substr(0, check.text.find(':'));
      const Model* model = nullptr;
      for (const Model& m : kModels)
        if (name == m.name || name == std::string(m.name) + "-be") model = &m;
      ASSERT_NE(model, nullptr) << name;
      // The region as a programmer leaves it: every value in place.
      const uint32_t value = checkOf(
          *model, with.substr(check.start - base, check.end - check.start + 1));
      const unsigned width = model->width / 8;
      for (unsigned i = 0; i < width; ++i) {
        const unsigned shift = 8 * (check.bigEndian ? width - 1 - i : i);
        expected[check.address - base + i] = static_cast<char>(value >> shift);
      }
    }
    // Where no range reaches, the binary holds erased flash: 0xFF.
    EXPECT_TRUE(with == expected) << c.checks[0];
  }
}

}  // namespace
