// Tests that each check value stands where it was asked for, little- or
// big-endian, as a computation of the test's own gives it over the bytes
// the image holds (other values in its region included), and that nothing
// else in the image changes.
#include <gtest/gtest.h>
#include <strings.h>

#include <algorithm>

#include "bitwise_crc.h"
#include "cli/tool_runner.h"
#include "image/image.h"
#include "srec_reader.h"

namespace {

// A check kind, computed bit by bit: c a CRC, w a CRC of 32-bit words taken
// most significant byte first, s a sum, n a negated sum, W and N the same
// of words, l the length.
struct Model {
  const char* name;
  char type;
  unsigned width;
  uint32_t poly = 0, init = 0;
  bool refIn = false, refOut = false;
  uint32_t xorOut = 0;
};
const Model kModels[] = {
    {"crc32", 'c', 32, 0x04C11DB7, 0xFFFFFFFF, true, true, 0xFFFFFFFF},
    {"crc32-mpeg2", 'c', 32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0},
    {"crc32c", 'c', 32, 0x1EDC6F41, 0xFFFFFFFF, true, true, 0xFFFFFFFF},
    {"crc32-stm32", 'w', 32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0},
    {"crc16-ccitt", 'c', 16, 0x1021, 0xFFFF, false, false, 0},
    {"crc16-xmodem", 'c', 16, 0x1021, 0, false, false, 0},
    {"crc16-modbus", 'c', 16, 0x8005, 0xFFFF, true, true, 0},
    {"crc16-arc", 'c', 16, 0x8005, 0, true, true, 0},
    {"mine", 'c', 16, 0x1021, 0x1D0F, true, false, 0x00FF},
    {"sum8", 's', 8},
    {"sum16", 's', 16},
    {"sum32", 's', 32},
    {"sum8-neg", 'n', 8},
    {"sum16-neg", 'n', 16},
    {"sum32-neg", 'n', 32},
    {"wsum32", 'W', 32},
    {"wsum32-neg", 'N', 32},
    {"len16", 'l', 16},
    {"len32", 'l', 32},
};

uint32_t checkOf(const Model& m, std::string bytes) {
  const uint64_t mask = (uint64_t{1} << m.width) - 1;
  uint64_t r = 0;
  switch (m.type) {
    case 'l':
      return static_cast<uint32_t>(bytes.size() & mask);
    case 's':
    case 'n':
      for (unsigned char c : bytes) r += c;
      return static_cast<uint32_t>((m.type == 's' ? r : 0 - r) & mask);
    case 'W':
    case 'N':
      for (size_t i = 0; i < bytes.size(); ++i)
        r += uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * (i % 4));
      return static_cast<uint32_t>((m.type == 'W' ? r : 0 - r) & mask);
    case 'w':
      for (size_t i = 0; i + 4 <= bytes.size(); i += 4)
        std::reverse(bytes.begin() + i, bytes.begin() + i + 4);
      break;
  }
  return bitwiseCrc({m.width, m.poly, m.init, m.refIn, m.refOut, m.xorOut},
                    bytes);
}

TEST(CheckValues, StandWhereAskedAndChangeNothingElse) {
  struct Case {
    std::vector<std::string> options;  // The -crc values and others.
    std::vector<std::string> pairs;
  } cases[] = {
      // Across the end of a stretch of bytes, and of a slice.
      {{"-crc", "crc32:0xFFE:0:0xFFD", "-crc", "sum8-be:0xFFFFE:0x1002:0xFFFFD",
        "-crc", "crc16-modbus-be:0x100000:0x100002:0x1FFFFF"},
       {"0", "0x1FFFFF"}},
      // Before regions that span stretches and slices, and a gap that
      // counts as erased.
      {{"-crc", "crc32-mpeg2-be:0:4:0x17FFFF", "-crc",
        "sum32:0x180000:0x180004:0x1FFFFB", "-crc",
        "crc16-ccitt:0x1FFFFE:0x180004:0x1FFFFB"},
       {"0", "0xFFFFF", "0x100800", "0x1FFFFF"}},
      // A header CRC inside an application CRC, and three levels of values
      // before their regions, each in the next one's region.
      {{"-crc", "crc32:0x7FFC", "-crc", "crc16-ccitt:0x7FF0"}, {"0", "0x7FFF"}},
      {{"-crc", "crc32c:0:4:0x3FFFF", "-crc", "crc32-stm32-be:4:8:0x3FFFF",
        "-crc", "wsum32-neg:8:0xC:0x3FFFF", "-crc", "len16:0x20:0x100:0x1FF"},
       {"0", "0x1FFFF", "0x30000", "0x3FFFF"}},
      // The vector table sum of an LPC part, a length beside a CRC, and
      // erased flash that reads 0x00.
      {{"-erased", "00", "-crc", "wsum32-neg:0x1C:0:0x1B", "-crc",
        "LEN32:0x2000:0x1004:0x1FFF", "-crc", "crc32-stm32:0x1000:0x20:0xFFF",
        "-crc", "sum16-neg:0x2004:0x2010:0x2FFF"},
       {"0", "0x7FF", "0x900", "0x2FFF"}},
      {{"-crc-model", "mine=16,0x1021,0x1D0F,1,false,0xFF", "-crc",
        "MINE-be:0x7FFE:0x24:0x7FFD", "-crc", "sum16-be:0x20:0:0x1F", "-crc",
        "sum8:0x22:0:0", "-crc", "crc16-arc:0x23:0x20:0x21"},
       {"0", "0x7FFF"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"-bin", "-seed", "5", "-pin", "0x11=AB"};
    std::vector<std::string> plain = args;  // The same without the values.
    args.insert(args.end(), c.options.begin(), c.options.end());
    if (c.options[0] == "-erased") plain.insert(plain.end(), {"-erased", "00"});
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
      const Model* model = nullptr;
      for (const Model& m : kModels)
        if (strcasecmp(check.kindText.c_str(), m.name) == 0 ||
            strcasecmp(check.kindText.c_str(),
                       (std::string(m.name) + "-be").c_str()) == 0)
          model = &m;
      ASSERT_NE(model, nullptr) << check.kindText;
      // The region as a programmer leaves it: every value in place.
      const uint32_t value = checkOf(
          *model, with.substr(check.start - base, check.end - check.start + 1));
      const unsigned width = model->width / 8;
      for (unsigned i = 0; i < width; ++i) {
        const unsigned shift = 8 * (check.bigEndian ? width - 1 - i : i);
        expected[check.address - base + i] = static_cast<char>(value >> shift);
      }
    }
    // Where no range reaches, the binary holds erased flash.
    EXPECT_TRUE(with == expected) << c.options[1];
  }
}

}  // namespace
