// Finding the ranges that share an address with an earlier range.
#ifndef TOLLIVEX_IMAGE_OVERLAP_H_
#define TOLLIVEX_IMAGE_OVERLAP_H_

#include <cstddef>
#include <vector>

#include "image/image.h"

// The indices of the pairs that share an address with an earlier pair, in
// rising order.  Empty pairs share nothing.  O(n log n) in the pairs.
std::vector<size_t> overlappingPairs(const std::vector<AddressPair>& pairs);

#endif  // TOLLIVEX_IMAGE_OVERLAP_H_
