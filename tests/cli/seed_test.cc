// End-to-end tests of seeding the fill from SOURCE_DATE_EPOCH or -seed.
#include <gtest/gtest.h>

#include "cli/tool_runner.h"
#include "srec_reader.h"

namespace {

using Seeding = ToolTest;

TEST_F(Seeding, SourceDateEpochReplacesTheClock) {
  // -seed counts back from 2^32 as an address does.
  ASSERT_EQ(run({"-seed", "-1", "app", "0", "63"}).status, 0);
  EXPECT_EQ(dataBytes(file("app.sx")), seededFill(0xFFFFFFFF, 64));
  SKIP_WITHOUT_FAKETIME();
  const long kRefused = -1, kClock = -2;
  struct Case {
    std::string value;
    long seed;
  } cases[] = {
      {"1767225600", 1767225600},
      {"0", 0},
      {"4294967301", 5},  // Taken modulo 2^32, as the clock is.
      {"9223372036854775807", 0xFFFFFFFF},
      {"", kClock},  // Empty counts as unset.
      {"-1", kRefused},
      {"+5", kRefused},
      {" 5", kRefused},
      {"5 ", kRefused},
      {"0x10", kRefused},
      {"1e9", kRefused},
      {"9223372036854775808", kRefused},
  };
  for (const Case& c : cases) {
    std::vector<std::string> argv{
        "env", "SOURCE_DATE_EPOCH=" + c.value, TOLLIVEX_EXE, "app", "0", "63"};
    ToolRun first = runProgram(argv, dir_, {kFrozen});
    std::string image = file("app.sx");
    std::filesystem::remove(dir_ + "/app.sx");
    if (c.seed == kRefused) {
      EXPECT_EQ(first.status, 1) << c.value;
      EXPECT_EQ(first.err,
                "Tollivex: SOURCE_DATE_EPOCH must be a whole number of "
                "seconds: '" +
                    c.value + "'\n");
      EXPECT_EQ(files(), 0u);
      continue;
    }
    ASSERT_EQ(first.status, 0) << c.value << first.err;
    long seed = c.seed == kClock ? kFrozen : c.seed;
    EXPECT_EQ(dataBytes(image), seededFill(seed, 64)) << c.value;
    // -seed writes the same image, and a bad variable is then no error.
    EXPECT_EQ(runProgram({"env", "SOURCE_DATE_EPOCH=bad", TOLLIVEX_EXE, "-seed",
                          std::to_string(seed), "app", "0", "63"},
                         dir_)
                  .status,
              0);
    EXPECT_EQ(file("app.sx"), image) << c.value;
    // At another second the clock gives another image, the variable not.
    ASSERT_EQ(runProgram(argv, dir_, {kFrozen + 3600}).status, 0);
    EXPECT_EQ(file("app.sx") == image, c.seed != kClock) << c.value;
  }
}

}  // namespace
