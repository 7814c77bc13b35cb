// What can be worked out from an ImageSpec alone.
#include "image/image.h"

uint64_t imageBytes(const ImageSpec& image) {
  uint64_t total = 0;
  for (const AddressPair& pair : image.pairs)
    total += pairBytes(pair, image.unit);
  return total;
}

bool imageSpan(const ImageSpec& image, uint32_t* low, uint32_t* high) {
  bool any = false;
  for (const AddressPair& pair : image.pairs) {
    if (pair.start > pair.end) continue;
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
