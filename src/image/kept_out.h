// The zones a device profile keeps out of the image: no data byte lies
// there, though each still takes its draw of the fill, so that the rest of
// the image stays as it would be without them.
#ifndef TOLLIVEX_IMAGE_KEPT_OUT_H_
#define TOLLIVEX_IMAGE_KEPT_OUT_H_

#include <cstdint>
#include <vector>

#include "image/image.h"

// The first of the profile's zones that holds an address from first to
// last; null when none does (or the image has no profile).
const KeptOutZone* zoneWithin(const ImageSpec& image, uint64_t first,
                              uint64_t last);

// The pieces of first..last outside every zone, in rising order.
std::vector<AddressPair> outsideZones(const ImageSpec& image, uint32_t first,
                                      uint32_t last);

#endif  // TOLLIVEX_IMAGE_KEPT_OUT_H_
