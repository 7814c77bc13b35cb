// The data bytes of an image, made by position: the fill, then the pinned
// bytes.
#include "image/image_bytes.h"

#include <algorithm>
#include <cstring>

#include "image/keyed_fill.h"

namespace {

// Replaces bytes[k] of a record at address by the block's byte at
// address + k (taken modulo 2^32), wherever that lies inside the block.
// The first test rejects a record that shares no address with the block,
// so most records cost two comparisons.
void matchBlock(const ProfileBlock& block, uint32_t address, size_t count,
                uint8_t* bytes) {
  const auto length = static_cast<uint32_t>(block.bytes.size());
  if (address - block.address >= length && block.address - address >= count)
    return;
  for (size_t k = 0; k < count; ++k) {
    uint32_t offset = address + static_cast<uint32_t>(k) - block.address;
    if (offset < length) bytes[k] = block.bytes[offset];
  }
}

// Pins the count bytes from position on, walking up from the last place.
void pinBytes(ImageBytes* bytes, uint64_t position, size_t count,
              uint8_t* out) {
  if (bytes->pins.empty()) return;
  if (position < bytes->pinnedFrom)
    bytes->cursor = findPins(bytes->pins, position);
  bytes->pinnedFrom = position;
  applyPins(&bytes->cursor, position, count, out);
}

}  // namespace

void startImageBytes(ImageBytes* bytes, const ImageSpec& image) {
  bytes->image = &image;
  bytes->ahead = nullptr;
  bytes->draws = 0;
  const std::vector<uint8_t>& pattern = image.pattern;
  bytes->pattern.clear();
  if (pattern.empty()) {
    seedFill(&bytes->fill, image.seed);
  } else {
    bytes->pattern.resize(kStretchBytes + pattern.size());
    for (size_t i = 0; i < bytes->pattern.size(); ++i)
      bytes->pattern[i] = pattern[i % pattern.size()];
  }
  bytes->pins = mapPins(image);
  bytes->cursor = findPins(bytes->pins, 0);
  bytes->pinnedFrom = 0;
  bytes->byRecord = matchedByRecord(image);
}

void makeBytes(ImageBytes* bytes, uint32_t address, uint64_t draw, size_t count,
               uint8_t* out) {
  const ImageSpec& image = *bytes->image;
  const uint64_t position = uint64_t{address} * image.unit;
  if (image.keyed && bytes->ahead != nullptr) {
    takeKeyed(bytes->ahead, draw, out, count);
  } else if (image.keyed) {
    keyedBytes(image.seed, position, out, count);
  } else if (image.pattern.empty()) {
    // One draw per byte even where a pin replaces it, so that the fill of
    // every later byte depends only on the seed and on how many data bytes
    // came before.
    skipFill(&bytes->fill, draw - bytes->draws);
    fillBytes(&bytes->fill, out, count);
    bytes->draws = draw + count;
  } else {
    memcpy(out, bytes->pattern.data() + position % image.pattern.size(), count);
  }
  if (!bytes->byRecord) pinBytes(bytes, position, count, out);
}

void makeRunBytes(ImageBytes* bytes, const AddressPair& pair, uint64_t pairDraw,
                  uint32_t address, size_t count, uint8_t* out) {
  const ImageSpec& image = *bytes->image;
  const unsigned unit = image.unit;
  const uint64_t last = address + count / unit - 1;
  const uint64_t from = std::max<uint64_t>(address, pair.start);
  const uint64_t to = std::min<uint64_t>(last, pair.end);
  if (from > address || to < last) {
    // Padding: no draws, and the blocks win over it as over the fill.
    memset(out, image.erased, count);
    if (image.profile != nullptr)
      for (const ProfileBlock& block : image.profile->blocks)
        matchBlock(block, address, count, out);
  }
  if (from <= to)
    makeBytes(bytes, static_cast<uint32_t>(from),
              pairDraw + (from - pair.start) * unit,
              static_cast<size_t>(to - from + 1) * unit,
              out + (from - address) * unit);
}

void pinRecord(ImageBytes* bytes, uint32_t address, size_t count,
               uint8_t* out) {
  const ImageSpec& image = *bytes->image;
  for (const ProfileBlock& block : image.profile->blocks)
    matchBlock(block, address, count, out);
  pinBytes(bytes, uint64_t{address} * image.unit, count, out);
}
