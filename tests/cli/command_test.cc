// Tests that each limit of the command line is accepted where it stands
// and refused just past it (the messages of the refusals are checked end to
// end).
#include "cli/command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Command, TakesEachLimitAndRefusesJustPastIt) {
  const std::string k252(252, 'h'), k16(32, 'F'), k256(512, 'A');
  struct Case {
    std::vector<std::string> args;
    bool taken;
  } cases[] = {
      {{"-header", k252, "app"}, true},
      {{"-header", k252 + "h", "app"}, false},
      {{"-fill", k16, "app"}, true},
      {{"-fill", k16 + "FF", "app"}, false},
      {{"-fill", "0X" + k16, "-pin", "0x40C=0xFE", "-erased", "0x00", "app"},
       true},
      {{"-fill", "0x", "app"}, false},
      {{"-pin", "0x40C=0xF", "app"}, false},
      {{"-pin", "0=" + k256, "app"}, true},
      {{"-pin", "0=" + k256 + "AA", "app"}, false},
      {{"-pin", "0xFFFFFF01=" + k256.substr(2), "app"}, true},
      {{"-pin", "0xFFFFFF01=" + k256, "app"}, false},
      {{"-word", "-pin", "0xFFFFFFFF=FFFF", "app"}, true},
      {{"-word", "-pin", "0xFFFFFFFF=FFFFFF", "app"}, false},
      {{"-reclen", "250", "app"}, true},
      {{"-ihex", "-reclen", "255", "app"}, true},
      {{"-ihex", "-reclen", "256", "app"}, false},
      {{"-reclen", "1", "app"}, true},
      {{"-word", "-reclen", "2", "app"}, true},
      {{"-addrsize", "4", "app"}, true},
      {{"-addrsize", "5", "app"}, false},
      // A value that ends just before a zone, and one a byte into it.
      {{"-avr", "-crc", "crc32:0x81FFFC:0:0xFF", "app"}, true},
      {{"-avr", "-crc", "crc32:0x81FFFD:0:0xFF", "app"}, false},
      // 16777215 records of one byte, and one more.
      {{"-count", "-reclen", "1", "app", "0", "0xFFFFFE"}, true},
      {{"-count", "-reclen", "1", "app", "0", "0xFFFFFF"}, false},
      // Without the 128 KiB a zone keeps out.
      {{"-count", "-reclen", "1", "-avr", "app", "0", "0x101FFFE"}, true},
      {{"-count", "-reclen", "1", "-avr", "app", "0", "0x101FFFF"}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> words = c.args;
    std::vector<char*> argv{const_cast<char*>("Tollivex")};
    for (std::string& w : words) argv.push_back(&w[0]);
    Command command;
    testing::internal::CaptureStderr();  // The refusals say why.
    const CommandKind kind =
        readCommand(static_cast<int>(argv.size()), argv.data(), &command);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kind, c.taken ? CommandKind::kImage : CommandKind::kMisuse)
        << c.args[0] << " " << c.args[1].size() << ": " << said;
    EXPECT_EQ(said.empty(), c.taken) << said;
  }
}

}  // namespace
