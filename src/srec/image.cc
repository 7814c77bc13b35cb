// What can be worked out from an ImageSpec alone.
#include "srec/image.h"

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
