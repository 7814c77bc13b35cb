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
  const std::string note = "Tollivex: seeded from the clock: add -seed " +
                           std::to_string(kFrozen) +
                           " to write this image again\n";
  // The clock's seed is said last, past -strict and without -q, for a
  // random or keyed fill.
  const std::pair<std::vector<std::string>, std::string> noted[] = {
      {{"-strict", "-fill", "keyed", "app", "0", "63"}, note},
      {{"app", "0", "63", "0", "1"},
       "Tollivex: warning: range 0x00000000..0x00000001 overlaps an earlier "
       "range\n" +
           note},
      {{"-q", "app", "0", "63"}, ""},
      {{"-seed", "5", "app", "0", "63"}, ""},
      {{"-fill", "FF", "app", "0", "63"}, ""}};
  for (const auto& [args, err] : noted) {
    std::vector<std::string> argv = {"env", "SOURCE_DATE_EPOCH=", TOLLIVEX_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    const ToolRun r = runProgram(argv, dir_, {kFrozen});
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.err, err) << args[0];
  }
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
    EXPECT_EQ(first.err, c.seed == kClock ? note : "") << c.value;
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

// -fill keyed: byte A is byte A mod 8 of SplitMix64's output A div 8 (the
// values worked out by hand), whatever the ranges, the order and -word.
TEST_F(Seeding, TheKeyedFillFollowsTheAddress) {
  const std::pair<uint32_t, std::vector<uint8_t>> kSeedOne[] = {
      {0, {0xC1, 0x5C, 0x02, 0x89, 0xEC, 0x2D, 0x0A, 0x91}},
      {7, {0x91, 0x67, 0xEC, 0x8E, 0x65, 0xA1, 0x8D, 0xEB}},
      {8, {0x67, 0xEC, 0x8E, 0x65, 0xA1, 0x8D, 0xEB, 0xBE}},
      {0xFFFFFFF8, {0x68, 0x66, 0xCF, 0xC2, 0x7A, 0x82, 0x4F, 0x2A}}};
  const std::vector<std::string> lines[] = {
      {"0", "0xF", "0xFFFFFFF8", "0xFFFFFFFF"},
      {"0xFFFFFFF8", "-1", "7", "0xF", "0", "7"},  // Out of order, overlapping.
      {"-word", "2", "7", "0x7FFFFFFC", "0x7FFFFFFF", "0", "1"}};
  for (const std::vector<std::string>& line : lines) {
    std::vector<std::string> args = {"-seed", "1",  "-fill",
                                     "KEYED", "-o", "k.sx"};
    args.insert(args.end(), line.begin(), line.end());
    ASSERT_EQ(run(args).status, 0) << line[0];
    // By byte position: byte k of word W at 2W + k with -word.
    std::map<uint64_t, uint8_t> bytes;
    for (const Record& r : dataRecords(file("k.sx")))
      for (size_t k = 0; k < r.data.size(); ++k)
        bytes[uint64_t{r.address} * (line[0] == "-word" ? 2 : 1) + k] =
            r.data[k];
    for (const auto& [at, want] : kSeedOne)
      for (size_t k = 0; k < want.size(); ++k)
        EXPECT_EQ(bytes.at(at + k), want[k]) << line[0] << " " << at + k;
  }
  // Made ahead on threads, chunk by chunk across the ranges, it is the same.
  std::string one;
  for (const char* threads : {"1", "2", "3", "8"}) {
    ASSERT_EQ(run({"-seed", "1", "-fill", "keyed", "-threads", threads, "-o",
                   "-", "0x3FFFF", "0x2FFFFF", "7", "6", "0xFFFFFF00", "-1"},
                  {-1, (dir_ + "/k.sx").c_str()})
                  .status,
              0);
    if (one.empty()) one = file("k.sx");
    EXPECT_TRUE(file("k.sx") == one) << threads;
  }
}

}  // namespace
