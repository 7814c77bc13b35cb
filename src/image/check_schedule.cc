// Which pass over the image works out which check value.
#include "image/check_schedule.h"

#include <algorithm>

namespace {

bool ahead(const PlacedCheck& check) { return check.address < check.start; }

// The pass that can work out check i: none before the values in its region
// are known.  A value placed after its region is known in the pass that
// works it out; one placed before, only in the passes after.
size_t passOf(const ImageSpec& image, size_t i, std::vector<int>* passes) {
  int& pass = (*passes)[i];
  if (pass >= 0) return static_cast<size_t>(pass);
  size_t at = 0;
  for (size_t j = 0; j < image.checks.size(); ++j) {
    if (j == i || !liesIn(image.checks[j], image.checks[i])) continue;
    at = std::max(at, passOf(image, j, passes) + ahead(image.checks[j]));
  }
  pass = static_cast<int>(at);
  return at;
}

}  // namespace

bool liesIn(const PlacedCheck& a, const PlacedCheck& b) {
  const uint64_t last = uint64_t{a.address} + valueBytes(a.kind) - 1;
  return a.address <= b.end && last >= b.start;
}

std::vector<std::vector<size_t>> scheduleChecks(const ImageSpec& image) {
  const size_t n = image.checks.size();
  std::vector<int> passes(n, -1);
  size_t aheadPasses = 0;
  for (size_t i = 0; i < n; ++i) {
    if (ahead(image.checks[i]))
      aheadPasses = std::max(aheadPasses, passOf(image, i, &passes) + 1);
  }
  std::vector<std::vector<size_t>> schedule(aheadPasses + 1);
  std::vector<bool> done(n, false);
  for (size_t p = 0; p < aheadPasses; ++p) {
    std::vector<size_t>& work = schedule[p];
    for (size_t i = 0; i < n; ++i) {
      if (ahead(image.checks[i]) && passOf(image, i, &passes) == p) {
        work.push_back(i);
        done[i] = true;
      }
    }
    // The values after their regions that lie in the regions worked out
    // here, and are not known yet, are worked out on the way.
    for (size_t k = 0; k < work.size(); ++k) {
      for (size_t j = 0; j < n; ++j) {
        if (done[j] || !liesIn(image.checks[j], image.checks[work[k]]))
          continue;
        work.push_back(j);
        done[j] = true;
      }
    }
    std::sort(work.begin(), work.end());
  }
  for (size_t i = 0; i < n; ++i)
    if (!done[i]) schedule.back().push_back(i);
  return schedule;
}
