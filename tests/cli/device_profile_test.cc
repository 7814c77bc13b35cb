// Tests of the device profiles, from the option words to the records.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/scan.h"
#include "cli/tool_runner.h"
#include "image/image.h"
#include "srec_reader.h"

namespace {

// Scans options + "app" and writes one range the way the run does, seeded
// with 5; returns the data records.
std::string imageOf(std::vector<std::string> options, uint32_t start,
                    uint32_t end) {
  std::vector<char*> argv{const_cast<char*>("Tollivex")};
  options.push_back("app");
  for (std::string& o : options) argv.push_back(&o[0]);
  Command command;
  Scan scan =
      scanArguments(static_cast<int>(argv.size()), argv.data(), &command);
  EXPECT_EQ(scan.stop, ScanStop::kImage);
  EXPECT_EQ(scan.at, static_cast<int>(options.size()));
  command.image.seed = 5;
  command.image.pairs = {{start, end}};
  std::string text = imageText(command.image);
  size_t first = text.find('\n') + 1;
  return text.substr(first, text.size() - first - strlen("S9030000FC\n"));
}

const char kHcs08Block[] = "S113FFB0FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE4E\n";
const char kKinBlank[] = "S10B0000FFFFFFFFFFFFFFFFFC\n";

TEST(DeviceProfile, PinsTheFixedBytes) {
  struct Case {
    std::vector<std::string> options;
    uint32_t start, end;
    std::string record;
  } cases[] = {
      // clang-format off
      {{"-hcs08"}, 0xFFB0, 0xFFBF, kHcs08Block},
      {{"-hcs12"}, 0xFF00, 0xFF0F, "S113FF00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFEFE\n"},
      {{"-hcs08"}, 0xFFFE, 0xFFFF, "S105FFFEFFFFFF\n"},
      {{"-HCS12"}, 0xFFFE, 0xFFFF, "S105FFFEFFFFFF\n"},
      {{"-kin"}, 0, 7, kKinBlank},
      {{"-Cfv1"}, 0, 7, kKinBlank},
      {{"-kin"}, 0x400, 0x40F, "S1130400FFFFFFFFFFFFFFFFFFFFFFFFFEFFFFFFF9\n"},
      {{"-cfv1"}, 0x400, 0x40F, "S1130400FFFFFFFFFFFFFFFFFFFFFFFFFEFFFFFFF9\n"},
      {{"-kin", "-hcs08"}, 0xFFB0, 0xFFBF, kHcs08Block},  // The last one wins.
      {{"-hcs08", "-kin"}, 0, 7, kKinBlank},
      {{"-hcs08", "-CFVX", "-alt"}, 0xFFB0, 0xFFBF, kHcs08Block},
      {{"-word", "-kin"}, 0, 3, kKinBlank},  // Matched at bytes 0 to 7.
      {{"-KE"}, 0, 7, kKinBlank},
      {{"-ke"}, 0x400, 0x40F, "S1130400FFFFFFFFFFFFFFFFFFFFFFFFFFFFFEFFF9\n"},
      {{"-s12z"}, 0xFFFE00, 0xFFFE0F, "S214FFFE00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFEFF\n"},
      {{"-s12z"}, 0xFFFFFC, 0xFFFFFF, "S208FFFFFCFFFFFFFF01\n"},
      {{"-msp430"}, 0xFF80, 0xFF8F, "S113FF80FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF7D\n"},
      {{"-msp430"}, 0xFFFE, 0xFFFF, "S105FFFEFFFFFF\n"},
      {{"-LPC"}, 0x2FC, 0x2FF, "S10702FCFFFFFFFFFE\n"},
      {{"-s08p"}, 0xFF70, 0xFF7F, "S113FF70FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFE8E\n"},
      {{"-s08p"}, 0xFFFE, 0xFFFF, "S105FFFEFFFFFF\n"},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(imageOf(c.options, c.start, c.end), c.record) << c.options[0];
}

TEST(DeviceProfile, WordModeMatchesWordAddressPlusByteIndex) {
  std::string text = imageOf({"-hcs08", "-word"}, 0xFFA0, 0xFFBF);
  std::vector<uint8_t> want = seededFill(5, 64);
  // Bytes 16..31 of the record at word 0xFFA0 sit at 0xFFB0..0xFFBF, and so
  // do bytes 0..15 of the record at word 0xFFB0; the rest stays random.
  for (int i : {16, 32}) {
    std::fill(want.begin() + i, want.begin() + i + 15, 0xFF);
    want[i + 15] = 0xFE;
  }
  EXPECT_EQ(layoutOf(text), (Layout{{0xFFA0, 32}, {0xFFB0, 32}}));
  EXPECT_EQ(dataBytes(text), want);

  // At the top of the word space the sum wraps: bytes 4..7 of the record at
  // word 0xFFFFFFFC sit at 0..3, in the blank region.
  want = seededFill(5, 8);
  std::fill(want.begin() + 4, want.end(), 0xFF);
  EXPECT_EQ(dataBytes(imageOf({"-kin", "-word"}, 0xFFFFFFFC, 0xFFFFFFFF)),
            want);

  // A zone of words leaves whole words out, on either side.
  want = seededFill(5, 8);
  text = imageOf({"-f2837x", "-word", "-reclen", "8"}, 0x77FFE, 0x78001);
  EXPECT_EQ(layoutOf(text), (Layout{{0x77FFE, 4}}));
  EXPECT_EQ(dataBytes(text),
            std::vector<uint8_t>(want.begin(), want.begin() + 4));
  text = imageOf({"-f2837x", "-word", "-reclen", "8"}, 0x783FE, 0x78401);
  EXPECT_EQ(layoutOf(text), (Layout{{0x78400, 4}}));
  EXPECT_EQ(dataBytes(text),
            std::vector<uint8_t>(want.begin() + 4, want.end()));
}

// Bytes as the tests write them: hex, and "HEXxN" for N copies of HEX.
std::vector<uint8_t> bytesOf(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    const size_t x = word.find('x');
    const std::string hex = word.substr(0, x);
    for (int n = x == std::string::npos ? 1 : std::stoi(word.substr(x + 1));
         n > 0; --n)
      for (size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(
            static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// Each profile's blocks, read back from an image whose ranges cover them.
TEST(DeviceProfile, EveryProfilePinsItsBlocks) {
  const std::string ccfg =
      " FFx32 FFFFFF00 FFFFFFFF 00FFFFFF C500C5FF 000000FF 00000000 FFx16";
  struct Case {
    std::string word;
    std::vector<std::pair<uint32_t, std::string>> blocks;
  } cases[] = {
      {"-s32k", {{0x400, "FFx12 FE FFx3"}, {0, "FFx8"}}},
      {"-nrf51", {{0x10001000, "FFx12"}}},
      {"-nrf52", {{0x10001200, "FFx272"}}},
      {"-mcf51", {{0x400, "FFx15 FE"}, {0, "FFx8"}}},
      {"-lpc2000", {{0x1FC, "FFx4"}}},
      {"-nrf53",
       {{0x00FF8000, "FA50FA50"},
        {0x00FF8010, "FFx4"},
        {0x00FF801C, "FA50FA50"},
        {0x00FF8020, "FFx4"},
        {0x01FF8000, "FA50FA50 FFx4"}}},
      {"-nrf91x1",
       {{0x00FF8000, "FA50FA50"},
        {0x00FF802C, "FA50FA50"},
        {0x00FF8030, "FFx4"}}},
      {"-nrf91",
       {{0x00FF8000, "FFx4"}, {0x00FF802C, "FFx4"}, {0x00FF8030, "FFx4"}}},
      {"-stm32f0", {{0x1FFFF800, "AA 55 FF00x7"}}},
      {"-stm32f1", {{0x1FFFF800, "A5 5A FF00x7"}}},
      {"-stm32l0", {{0x1FF80000, "AA 00 55 FF 70 80 8F 7F 0000FFFFx3"}}},
      {"-pic18", {{0x300000, "FFx14"}}},
      {"-pic32mx",
       {{0x1FC00BF0, "FFx16"},
        {0x1FC02FF0, "FFx16"},
        {0x9FC00BF0, "FFx16"},
        {0x9FC02FF0, "FFx16"},
        {0xBFC00BF0, "FFx16"},
        {0xBFC02FF0, "FFx16"}}},
      {"-efm32", {{0x0FE04000, "FFx512"}}},
      {"-cc13x0", {{0x1FFA8, "00008001100088FFFDFF58003AFFBFF3" + ccfg}}},
      {"-cc26x0", {{0x1FFA8, "00008001100082FFFDFF58003AFFBFF3" + ccfg}}},
      {"-cc26x2",
       {{0x57FA8,
         "00008001100080FFFDFF58003AFFBBF3 FFx32 FFFFFF00 FFFFFFFF "
         "00FFFFFF 00C5C5FF 000000FF 00000000 FFx16"}}},
      {"-rx", {{0xFFFFFFA0, "FFx16"}}},
      {"-f2833x", {{0x33FFF8, "FFx16"}}},  // Word addresses.
      {"-f2806x", {{0x3F7FF8, "FFx16"}}},
  };
  for (const Case& c : cases) {
    const bool words = c.word[1] == 'f';
    std::vector<std::string> args = {"-seed", "5", c.word};
    if (words) args.push_back("-word");
    args.push_back("app");
    for (const auto& [address, text] : c.blocks) {
      // A record that starts before a block of words shows where each lands.
      args.push_back(std::to_string(address - (words ? 5 : 0)));
      args.push_back(
          std::to_string(address + bytesOf(text).size() / (words ? 2 : 1) - 1));
    }
    // Each byte at its position: twice the word address with -word.
    std::map<uint64_t, uint8_t> held;
    for (const Record& r : dataRecords(imageText(specOf(args))))
      for (size_t i = 0; i < r.data.size(); ++i)
        held[uint64_t{r.address} * (words ? 2 : 1) + i] = r.data[i];
    for (const auto& [address, text] : c.blocks) {
      const std::vector<uint8_t> want = bytesOf(text);
      for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(held[uint64_t{address} * (words ? 2 : 1) + i], want[i])
            << c.word << " " << std::hex << address << "+" << i;
    }
  }
}

}  // namespace
