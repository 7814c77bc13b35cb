// Pinned bytes: where the device profile's blocks and the -pin blocks
// replace the fill.
#ifndef TOLLIVEX_IMAGE_PINS_H_
#define TOLLIVEX_IMAGE_PINS_H_

#include <cstdint>
#include <vector>

#include "image/image.h"

// The pinned bytes laid out by byte position: the address in a byte image,
// twice the word address plus the byte's index in the word in a word image.
// A cell covers 32 positions, a mask's worth, and holds the winning byte of
// every pinned position in it; a run of bytes looks at the cells it meets.
struct PinCell {
  uint64_t index;  // The cell's first position / 32.
  uint32_t mask;   // Bit i: position 32 * index + i is pinned.
  uint8_t bytes[32];
};
using PinMap = std::vector<PinCell>;  // Sorted by index.

// Whether the profile's blocks are matched record by record, at each
// record's address plus the byte's index in it: a profile of 1.5.0 and
// before, with -word.
inline bool matchedByRecord(const ImageSpec& image) {
  return image.unit != 1 && image.profile != nullptr &&
         image.profile->words == DeviceProfile::Words::kByRecord;
}

// Lays out the profile's blocks (unless they are matched record by record)
// and then the pins, each later one winning where they overlap.
PinMap mapPins(const ImageSpec& image);

// A walk upward through the cells, for the bytes of one range.
struct PinCursor {
  const PinCell* next;  // The first cell not below the last bytes.
  const PinCell* end;
};

// A cursor for records from position upward: a binary search.
PinCursor findPins(const PinMap& map, uint64_t position);

// Replaces the count bytes from position (1 or more) where pins cover
// them.  Calls must come in rising order of position; bytes that no pin
// touches cost a comparison or two.
inline void applyPins(PinCursor* cursor, uint64_t position, size_t count,
                      uint8_t* bytes) {
  const uint64_t end = position + count;
  while (cursor->next != cursor->end && cursor->next->index < position >> 5)
    ++cursor->next;
  for (const PinCell* cell = cursor->next;
       cell != cursor->end && cell->index <= (end - 1) >> 5; ++cell) {
    for (uint32_t mask = cell->mask; mask != 0; mask &= mask - 1) {
      unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
      uint64_t at = cell->index * 32 + bit;
      if (at >= position && at < end) bytes[at - position] = cell->bytes[bit];
    }
  }
}

#endif  // TOLLIVEX_IMAGE_PINS_H_
