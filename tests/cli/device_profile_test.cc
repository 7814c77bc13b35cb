// Tests of the device profiles, from the option words to the records.
#include <gtest/gtest.h>

#include "cli/scan.h"
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
}

}  // namespace
