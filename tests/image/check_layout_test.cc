// Tests of where the check values and their regions may lie, each limit on
// both sides, and of the passes that work the values out.
#include "image/check_layout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "image/check_schedule.h"

namespace {

using Kind = CheckProblem::Kind;

// A check of kind at address over start..end, or over the default region
// when regionGiven is false.
struct Check {
  const char* kind;
  uint32_t address, start, end;
  bool regionGiven = true;
};

ImageSpec specOf(const std::vector<AddressPair>& pairs,
                 const std::vector<Check>& checks) {
  ImageSpec image;
  image.pairs = pairs;
  for (const Check& c : checks)
    image.checks.push_back({c.kind, *findCheckKind(c.kind, {}), false,
                            c.address, c.regionGiven, c.start, c.end, ""});
  return image;
}

TEST(CheckLayout, EachLimitOnBothSides) {
  const std::vector<AddressPair> k64 = {{0, 0x10003}};
  struct Case {
    std::vector<AddressPair> pairs;
    std::vector<Check> checks;
    Kind kind;
    size_t first, second;
  } cases[] = {
      // clang-format off
      {k64, {{"len16", 0x10000, 1, 0xFFFF}}, Kind::kNone, 0, 0},
      {k64, {{"len16", 0x10000, 0, 0xFFFF}}, Kind::kRegionNeed, 0, 0},
      {k64, {{"crc32", 0x1C, 0, 0x1B}, {"crc32", 0x20, 0x20 + 4, 0x2F}}, Kind::kNone, 0, 0},
      {k64, {{"crc32", 0x1C, 0, 0x1C}}, Kind::kOwnRegion, 0, 0},
      {k64, {{"sum8", 0x1C, 0x1D, 0x1C}}, Kind::kBadCheck, 0, 0},
      {k64, {{"sum8", 0x1C, 0x1C, 0x1C}}, Kind::kOwnRegion, 0, 0},
      {{}, {{"sum32", 0xFFFFFFFC, 0, 0xF}}, Kind::kNone, 0, 0},
      {{}, {{"sum32", 0xFFFFFFFD, 0, 0xF}}, Kind::kBadCheck, 0, 0},
      // Without a region: from the lowest byte a range covers.
      {{{1, 1}}, {{"sum8", 2, 0, 0, false}}, Kind::kNone, 0, 0},
      {{{1, 1}}, {{"sum8", 1, 0, 0, false}}, Kind::kBadCheck, 0, 0},
      {k64, {{"sum8", 0, 1, 2}, {"crc32", 0x10, 0x20, 0x30}, {"sum8", 0x14, 0x20, 0x30}}, Kind::kNone, 0, 0},
      {k64, {{"sum8", 0, 1, 2}, {"crc32", 0x10, 0x20, 0x30}, {"sum8", 0x13, 0x20, 0x30}}, Kind::kOverlap, 1, 2},
      {{{0, 0x1D}}, {{"crc32", 0x1E, 0, 0x1D}}, Kind::kNone, 0, 0},
      {{{0, 0x1E}}, {{"crc32", 0x1E, 0, 0x1D}}, Kind::kCut, 0, 0},
      {k64, {{"sum8", 0x10, 0x20, 0x2F}, {"sum8", 0x30, 0x10, 0x10}, {"sum8", 0x20, 0x30, 0x3F}}, Kind::kCircle, 0, 1},
      // clang-format on
  };
  for (const Case& c : cases) {
    ImageSpec image = specOf(c.pairs, c.checks);
    const CheckProblem problem = settleChecks(&image);
    EXPECT_EQ(std::make_tuple(problem.kind, problem.first, problem.second),
              std::make_tuple(c.kind, c.first, c.second))
        << c.checks[0].kind << " at " << c.checks[0].address;
  }
}

TEST(CheckSchedule, AValueWaitsForTheValuesInItsRegion) {
  using Passes = std::vector<std::vector<size_t>>;
  struct Case {
    std::vector<Check> checks;
    Passes passes;
  } cases[] = {
      {{{"crc32", 0x100, 0, 0xFF}}, {{0}}},
      {{{"crc32", 0, 4, 0xFF}}, {{0}, {}}},
      // A value before its region that holds another such value, and one
      // after its region inside theirs, worked out on the way.
      {{{"crc32", 0, 4, 0xFF},
        {"crc16-arc", 4, 8, 0xFF},
        {"sum8", 0x100, 0, 0xFF},
        {"sum8", 0x50, 0x10, 0x4F}},
       {{1, 3}, {0}, {2}}},
  };
  for (const Case& c : cases) {
    const ImageSpec image = specOf({{0, 0x1FF}}, c.checks);
    EXPECT_EQ(scheduleChecks(image), c.passes) << c.checks.size();
  }
}

}  // namespace
