// The passes that work out the check values placed before their regions.
#include "image/ahead_pass.h"

#include <algorithm>
#include <memory>

#include "image/align.h"
#include "image/check_schedule.h"
#include "image/image_bytes.h"
#include "image/kept_out.h"

namespace {

// The regions of the checks of work, merged, in rising order.
std::vector<AddressPair> regionsOf(const ImageSpec& image,
                                   const std::vector<size_t>& work) {
  std::vector<AddressPair> regions;
  regions.reserve(work.size());
  for (size_t i : work)
    regions.push_back({image.checks[i].start, image.checks[i].end});
  std::sort(regions.begin(), regions.end(),
            [](const AddressPair& a, const AddressPair& b) {
              return a.start < b.start;
            });
  std::vector<AddressPair> merged;
  for (const AddressPair& region : regions) {
    if (!merged.empty() && region.start <= uint64_t{merged.back().end} + 1) {
      merged.back().end = std::max(merged.back().end, region.end);
    } else {
      merged.push_back(region);
    }
  }
  return merged;
}

// Runs one pass: the bytes the image holds in the regions, in order.
void runPass(const ImageSpec& image, const std::vector<size_t>& work,
             ImageBytes* bytes, std::vector<CheckValue>* values) {
  CheckPass pass;
  startCheckPass(&pass, image, values, work);
  startImageBytes(bytes, image);
  const std::vector<AddressPair> regions = regionsOf(image, work);
  uint8_t stretch[kStretchBytes];
  uint64_t draw = 0;  // Of the pair's first byte.
  size_t r = 0;
  // The ranges rise without overlap, and so do their runs (the padding of
  // each too) and the regions.
  for (size_t i = 0; i < image.pairs.size(); ++i) {
    const AddressPair& pair = image.pairs[i];
    for (const AddressPair& run : runsOf(image, i)) {
      while (r < regions.size() && regions[r].end < run.start) ++r;
      for (size_t k = r; k < regions.size() && regions[k].start <= run.end;
           ++k) {
        const uint64_t last = std::min(run.end, regions[k].end);
        for (uint64_t a = std::max(run.start, regions[k].start); a <= last;) {
          const auto n = static_cast<size_t>(
              std::min<uint64_t>(kStretchBytes, last - a + 1));
          const auto at = static_cast<uint32_t>(a);
          makeRunBytes(bytes, pair, draw, at, n, stretch);
          // Kept-out bytes count as erased, as bytes no range covers do.
          for (const AddressPair& piece :
               outsideZones(image, at, static_cast<uint32_t>(a + n - 1)))
            passBytes(&pass, piece.start, stretch + (piece.start - at),
                      piece.end - piece.start + 1);
          a += n;
        }
      }
    }
    draw += pairBytes(pair, image.unit);
  }
  finishCheckPass(&pass);
}

}  // namespace

void workOutAhead(const ImageSpec& image,
                  const std::vector<std::vector<size_t>>& schedule,
                  std::vector<CheckValue>* values) {
  if (schedule.size() < 2) return;
  auto bytes = std::make_unique<ImageBytes>();
  for (size_t p = 0; p + 1 < schedule.size(); ++p)
    runPass(image, schedule[p], bytes.get(), values);
}

void workOutEvery(const ImageSpec& image, std::vector<CheckValue>* values) {
  values->assign(image.checks.size(), CheckValue());
  auto bytes = std::make_unique<ImageBytes>();
  for (const std::vector<size_t>& work : scheduleChecks(image))
    runPass(image, work, bytes.get(), values);
}
