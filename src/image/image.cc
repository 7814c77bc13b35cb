// What can be worked out from an ImageSpec alone.
#include "image/image.h"

#include <algorithm>

uint64_t imageBytes(const ImageSpec& image) {
  uint64_t total = 0;
  for (const AddressPair& pair : image.pairs)
    total += pairBytes(pair, image.unit);
  return total;
}

bool imageSpan(const ImageSpec& image, uint32_t* low, uint32_t* high) {
  bool any = false;
  for (size_t i = 0; i < image.pairs.size(); ++i) {
    AddressPair pair = image.pairs[i];
    if (pair.start > pair.end) continue;
    if (!image.pads.empty() && !image.pads[i].empty()) {
      pair.start = std::min(pair.start, image.pads[i].front().start);
      pair.end = std::max(pair.end, image.pads[i].back().end);
    }
    if (!any || pair.start < *low) *low = pair.start;
    if (!any || pair.end > *high) *high = pair.end;
    any = true;
  }
  return any;
}

bool risingWithoutOverlap(const std::vector<AddressPair>& pairs) {
  const AddressPair* last = nullptr;
  for (const AddressPair& pair : pairs) {
    if (pair.start > pair.end) continue;
    if (last != nullptr && pair.start <= last->end) return false;
    last = &pair;
  }
  return true;
}
