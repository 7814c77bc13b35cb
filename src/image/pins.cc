// Laying out the pinned bytes for lookup by position.
#include "image/pins.h"

#include <algorithm>
#include <map>

namespace {

using Cells = std::map<uint64_t, PinCell>;

void mapBytes(Cells* cells, uint64_t position,
              const std::vector<uint8_t>& bytes) {
  for (uint8_t byte : bytes) {
    PinCell& cell = (*cells)[position >> 5];
    cell.index = position >> 5;
    cell.mask |= uint32_t{1} << (position & 31);
    cell.bytes[position & 31] = byte;
    ++position;
  }
}

}  // namespace

PinMap mapPins(const ImageSpec& image) {
  Cells cells;
  if (image.profile != nullptr && !matchedByRecord(image)) {
    for (const ProfileBlock& block : image.profile->blocks)
      mapBytes(&cells, uint64_t{block.address} * image.unit, block.bytes);
  }
  for (const PinnedBlock& pin : image.pins)
    mapBytes(&cells, uint64_t{pin.address} * image.unit, pin.bytes);
  PinMap map;
  map.reserve(cells.size());
  for (const auto& entry : cells) map.push_back(entry.second);
  return map;
}

PinCursor findPins(const PinMap& map, uint64_t position) {
  auto first = std::lower_bound(
      map.begin(), map.end(), position >> 5,
      [](const PinCell& cell, uint64_t index) { return cell.index < index; });
  return {map.data() + (first - map.begin()), map.data() + map.size()};
}
