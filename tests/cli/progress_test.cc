// End-to-end tests of the progress line on a terminal.
#include <gtest/gtest.h>

#include <regex>

#include "cli/tool_runner.h"

namespace {

using ProgressLine = ToolTest;

TEST_F(ProgressLine, DrawnOnATerminalForBigImagesOnly) {
  if (!haveProgram("script"))
    GTEST_SKIP() << "script is not installed (package util-linux)";
  std::filesystem::create_symlink("/dev/null", dir_ + "/null.sx");
  std::filesystem::create_symlink("/dev/full", dir_ + "/full.sx");
  const std::string line = "Producing image file: null\\.sx\r\n";
  // Redrawn in place, then erased.
  const std::string bar =
      "(\r *[0-9]+%  [0-9]+ of 80 MiB  [0-9]+\\.[0-9] MiB/s\x1B\\[K)+"
      "\r\x1B\\[K";
  struct Case {
    const char* term;
    std::string args, want;
  } cases[] = {
      {"xterm", "null 0 0x4FFFFFF", line + bar},
      {"xterm", "-word null 0 0x27FFFFF", line + bar},
      {"xterm", "null 0 0x3FFFFFF", line},  // 64 MiB is not above the limit.
      {"dumb", "null 0 0x4FFFFFF", line},
      {"xterm", "full 0 0x4FFFFFF",
       "Producing image file: full\\.sx\r\n" + bar +
           "Tollivex: cannot write full\\.sx: No space left on device\r\n"},
  };
  for (const Case& c : cases) {
    ToolRun r =
        runProgram({"env", std::string("TERM=") + c.term, "script", "-qec",
                    "'" TOLLIVEX_EXE "' " + c.args, "/dev/null"},
                   dir_);
    EXPECT_TRUE(std::regex_match(r.out, std::regex(c.want)))
        << c.term << " " << c.args << ": " << r.out;
  }
  // No terminal, no line.
  EXPECT_EQ(run({"null", "0", "0x4FFFFFF"}).err, "");
}

}  // namespace
