// The warnings about an image that may not be what the user meant.
#include "cli/warnings.h"

#include "cli/message.h"
#include "image/overlap.h"

void warnOfSurprises(const ImageSpec& image) {
  for (size_t i : overlappingPairs(image.pairs)) {
    reportWarning("range 0x%08X..0x%08X overlaps an earlier range",
                  image.pairs[i].start, image.pairs[i].end);
  }
  bool profile =
      image.securityRegion.length != 0 || image.blankRegion.length != 0;
  if (image.unit == 2 && profile) {
    reportWarning(
        "with -word, device profile blocks are matched by record address "
        "plus byte index, not at the profile's byte addresses");
  }
  for (const AddressPair& pair : image.pairs) {
    if (pair.start > pair.end)
      reportWarning("empty range 0x%08X..0x%08X: its start lies above its end",
                    pair.start, pair.end);
  }
}
