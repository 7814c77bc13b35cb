// Which addresses the ranges cover: where they overlap, and whether they
// reach a byte.
#ifndef TOLLIVEX_IMAGE_COVERAGE_H_
#define TOLLIVEX_IMAGE_COVERAGE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/image.h"

// The indices of the pairs that share an address with an earlier pair, in
// rising order.  Empty pairs share nothing.  O(n log n) in the pairs.
std::vector<size_t> overlappingPairs(const std::vector<AddressPair>& pairs);

// The addresses some pair covers, as disjoint ranges in rising order.
using Coverage = std::vector<AddressPair>;
Coverage coverageOf(const std::vector<AddressPair>& pairs);

// Whether coverage holds an address from first to last (inclusive; none
// when first > last).
bool coversAny(const Coverage& coverage, uint64_t first, uint64_t last);

#endif  // TOLLIVEX_IMAGE_COVERAGE_H_
