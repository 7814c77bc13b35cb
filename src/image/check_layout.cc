// Where the check values and their regions lie.
#include "image/check_layout.h"

CheckProblem settleChecks(ImageSpec* image) {
  uint32_t low = 0, high;
  const bool covered = imageSpan(*image, &low, &high);
  for (size_t i = 0; i < image->checks.size(); ++i) {
    PlacedCheck& check = image->checks[i];
    if (check.regionGiven) continue;
    if (!covered || check.address <= low) return {true, i};  // Empty region.
    check.start = low;
    check.end = check.address - 1;
  }
  for (size_t i = 0; i < image->checks.size(); ++i) {
    const PlacedCheck& check = image->checks[i];
    const uint64_t last = uint64_t{check.address} + valueBytes(*check.kind) - 1;
    bool fits = check.start <= check.end && last <= 0xFFFFFFFFu;
    for (const PlacedCheck& other : image->checks)
      fits = fits && (last < other.start || check.address > other.end);
    if (!fits) return {true, i};
  }
  return {false, 0};
}
