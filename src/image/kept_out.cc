// The zones a device profile keeps out of the image.
#include "image/kept_out.h"

const KeptOutZone* zoneWithin(const ImageSpec& image, uint64_t first,
                              uint64_t last) {
  if (image.profile == nullptr) return nullptr;
  for (const KeptOutZone& zone : image.profile->zones)
    if (zone.first <= last && zone.last >= first) return &zone;
  return nullptr;
}

std::vector<AddressPair> outsideZones(const ImageSpec& image, uint32_t first,
                                      uint32_t last) {
  std::vector<AddressPair> pieces = {{first, last}};
  if (image.profile == nullptr) return pieces;
  for (const KeptOutZone& zone : image.profile->zones) {
    std::vector<AddressPair> left;
    for (const AddressPair& piece : pieces) {
      if (zone.last < piece.start || zone.first > piece.end) {
        left.push_back(piece);
        continue;
      }
      if (zone.first > piece.start)
        left.push_back({piece.start, zone.first - 1});
      if (zone.last < piece.end) left.push_back({zone.last + 1, piece.end});
    }
    pieces = left;
  }
  return pieces;
}
