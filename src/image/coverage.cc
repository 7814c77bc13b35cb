// Which addresses the ranges cover.
#include "image/coverage.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

// Adds the pair start..end to covered, a map of disjoint ranges from start
// to end; returns whether it shared an address with them.
bool merge(std::map<uint32_t, uint32_t>* covered, uint32_t start,
           uint32_t end) {
  // The covered ranges that meet the pair start at or below its end and
  // reach its start: those just before the first that starts above end.
  auto after = covered->upper_bound(end);
  auto first = after;
  while (first != covered->begin() && std::prev(first)->second >= start)
    --first;
  bool met = first != after;
  for (auto it = first; it != after; it = covered->erase(it)) {
    start = std::min(start, it->first);
    end = std::max(end, it->second);
  }
  (*covered)[start] = end;
  return met;
}

}  // namespace

std::vector<size_t> overlappingPairs(const std::vector<AddressPair>& pairs) {
  std::vector<size_t> overlapping;
  std::map<uint32_t, uint32_t> covered;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i].start <= pairs[i].end &&
        merge(&covered, pairs[i].start, pairs[i].end))
      overlapping.push_back(i);
  }
  return overlapping;
}

Coverage coverageOf(const std::vector<AddressPair>& pairs) {
  std::map<uint32_t, uint32_t> covered;
  for (const AddressPair& pair : pairs)
    if (pair.start <= pair.end) merge(&covered, pair.start, pair.end);
  Coverage coverage;
  for (const auto& range : covered)
    coverage.push_back({range.first, range.second});
  return coverage;
}

bool coversAny(const Coverage& coverage, uint64_t first, uint64_t last) {
  if (first > last) return false;
  // The first range that ends at or past first must start by last.
  auto it = std::lower_bound(
      coverage.begin(), coverage.end(), first,
      [](const AddressPair& range, uint64_t a) { return range.end < a; });
  return it != coverage.end() && it->start <= last;
}

bool coversAll(const Coverage& coverage, uint64_t first, uint64_t last) {
  auto it = std::lower_bound(
      coverage.begin(), coverage.end(), first,
      [](const AddressPair& range, uint64_t a) { return range.end < a; });
  if (it == coverage.end() || it->start > first) return false;
  // Ranges that touch are kept apart: walk on while they do.
  for (; it->end < last; ++it)
    if (it + 1 == coverage.end() || it[1].start != uint64_t{it->end} + 1)
      return false;
  return true;
}
