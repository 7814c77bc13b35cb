// Where the check values and their regions lie.
#include "image/check_layout.h"

#include <vector>

#include "image/check_schedule.h"
#include "image/coverage.h"

namespace {

using Kind = CheckProblem::Kind;

uint64_t lastByte(const PlacedCheck& check) {
  return uint64_t{check.address} + valueBytes(check.kind) - 1;
}

// A value that does not fit, an empty region, a value in its own region,
// or a region its kind refuses.
CheckProblem placed(const std::vector<PlacedCheck>& checks) {
  for (size_t i = 0; i < checks.size(); ++i) {
    const PlacedCheck& check = checks[i];
    if (lastByte(check) > 0xFFFFFFFFu || check.start > check.end)
      return {Kind::kBadCheck, i};
    if (liesIn(check, check)) return {Kind::kOwnRegion, i};
    const char* need =
        regionNeed(check.kind, uint64_t{check.end} - check.start + 1);
    if (need != nullptr) return {Kind::kRegionNeed, i, 0, need};
  }
  return {};
}

CheckProblem overlapping(const std::vector<PlacedCheck>& checks) {
  for (size_t i = 0; i < checks.size(); ++i)
    for (size_t j = i + 1; j < checks.size(); ++j)
      if (checks[i].address <= lastByte(checks[j]) &&
          checks[j].address <= lastByte(checks[i]))
        return {Kind::kOverlap, i, j};
  return {};
}

CheckProblem cut(const ImageSpec& image) {
  const Coverage coverage = coverageOf(image.pairs);
  for (size_t i = 0; i < image.checks.size(); ++i) {
    const PlacedCheck& check = image.checks[i];
    unsigned outside = 0;
    for (uint64_t a = check.address; a <= lastByte(check); ++a)
      outside += !coversAny(coverage, a, a);
    if (outside != 0 && outside != valueBytes(check.kind))
      return {Kind::kCut, i, 0, nullptr, outside};
  }
  return {};
}

// The first two checks, in command-line order, that reach each other
// through the regions their values lie in.
CheckProblem circle(const std::vector<PlacedCheck>& checks) {
  const size_t n = checks.size();
  std::vector<std::vector<bool>> reach(n, std::vector<bool>(n));
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j)
      reach[i][j] = i != j && liesIn(checks[i], checks[j]);
  for (size_t k = 0; k < n; ++k)
    for (size_t i = 0; i < n; ++i)
      for (size_t j = 0; j < n; ++j)
        if (reach[i][k] && reach[k][j]) reach[i][j] = true;
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (reach[i][j] && reach[j][i]) return {Kind::kCircle, i, j};
  return {};
}

}  // namespace

CheckProblem settleChecks(ImageSpec* image) {
  uint32_t low = 0, high;
  const bool covered = imageSpan(*image, &low, &high);
  for (size_t i = 0; i < image->checks.size(); ++i) {
    PlacedCheck& check = image->checks[i];
    if (check.regionGiven) continue;
    if (!covered || check.address <= low) return {Kind::kBadCheck, i};
    check.start = low;
    check.end = check.address - 1;
  }
  CheckProblem problem = placed(image->checks);
  if (problem.kind == Kind::kNone) problem = overlapping(image->checks);
  if (problem.kind == Kind::kNone) problem = cut(*image);
  if (problem.kind == Kind::kNone) problem = circle(image->checks);
  return problem;
}
