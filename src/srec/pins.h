// Pinned bytes: where the device profile's regions and the -pin blocks
// replace the fill of a record.
#ifndef TOLLIVEX_SREC_PINS_H_
#define TOLLIVEX_SREC_PINS_H_

#include <cstdint>
#include <vector>

#include "srec/image_spec.h"

// Replaces bytes[k] of a record at address by the region's byte at
// address + k (taken modulo 2^32), wherever that lies inside the region.
// The first test rejects a record that shares no address with the region,
// so most records cost two comparisons.
inline void applyRegion(const FixedRegion& region, uint32_t address,
                        unsigned count, uint8_t* bytes) {
  if (region.length == 0 || (address - region.start >= region.length &&
                             region.start - address >= count))
    return;
  for (unsigned k = 0; k < count; ++k) {
    uint32_t offset = address + k - region.start;
    if (offset < region.length) bytes[k] = region.content[offset];
  }
}

// The -pin blocks laid out by byte position: the address in a byte image,
// twice the word address plus the byte's index in the word in a word image.
// A cell covers 32 positions, as a record never crosses a multiple of 32
// positions, and holds the winning byte of every pinned position in it.
struct PinCell {
  uint64_t index;  // The cell's first position / 32.
  uint32_t mask;   // Bit i: position 32 * index + i is pinned.
  uint8_t bytes[32];
};
using PinMap = std::vector<PinCell>;  // Sorted by index.

// Lays out spec's pins, the later one winning where pins overlap.
PinMap mapPins(const ImageSpec& spec);

// A walk upward through the cells, for the records of one range.
struct PinCursor {
  const PinCell* next;  // The first cell not below the last record.
  const PinCell* end;
};

// A cursor for records from position upward: a binary search.
PinCursor findPins(const PinMap& map, uint64_t position);

// Replaces the bytes of a record of count bytes from position where pins
// cover them.  Records must come in rising order; one that no pin touches
// costs a comparison or two.
inline void applyPins(PinCursor* cursor, uint64_t position, unsigned count,
                      uint8_t* bytes) {
  uint64_t index = position >> 5;
  while (cursor->next != cursor->end && cursor->next->index < index)
    ++cursor->next;
  if (cursor->next == cursor->end || cursor->next->index != index) return;
  const PinCell& cell = *cursor->next;
  unsigned first = position & 31;
  for (unsigned k = 0; k < count; ++k)
    if ((cell.mask >> (first + k)) & 1) bytes[k] = cell.bytes[first + k];
}

#endif  // TOLLIVEX_SREC_PINS_H_
