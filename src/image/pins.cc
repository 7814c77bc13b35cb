// Laying out the -pin blocks for lookup by record.
#include "image/pins.h"

#include <algorithm>
#include <map>

PinMap mapPins(const ImageSpec& image) {
  std::map<uint64_t, PinCell> cells;
  for (const PinnedBlock& pin : image.pins) {
    uint64_t position = uint64_t{pin.address} * image.unit;
    for (uint8_t byte : pin.bytes) {
      PinCell& cell = cells[position >> 5];
      cell.index = position >> 5;
      cell.mask |= uint32_t{1} << (position & 31);
      cell.bytes[position & 31] = byte;
      ++position;
    }
  }
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
