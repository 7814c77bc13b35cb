// Finding the ranges that share an address with an earlier range.
#include "image/overlap.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>

std::vector<size_t> overlappingPairs(const std::vector<AddressPair>& pairs) {
  std::vector<size_t> overlapping;
  // The addresses of the pairs so far, as disjoint ranges: start to end.
  std::map<uint32_t, uint32_t> covered;
  for (size_t i = 0; i < pairs.size(); ++i) {
    uint32_t start = pairs[i].start, end = pairs[i].end;
    if (start > end) continue;
    // The covered ranges that meet the pair start at or below its end and
    // reach its start: those just before the first that starts above end.
    auto after = covered.upper_bound(end);
    auto first = after;
    while (first != covered.begin() && std::prev(first)->second >= start)
      --first;
    if (first != after) overlapping.push_back(i);
    // Merge the pair with the ranges it meets.
    for (auto it = first; it != after; it = covered.erase(it)) {
      start = std::min(start, it->first);
      end = std::max(end, it->second);
    }
    covered[start] = end;
  }
  return overlapping;
}
