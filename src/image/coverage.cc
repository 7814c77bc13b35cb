// Which addresses the ranges cover.  Everything is sorted arrays, a few
// words a pair, so that many thousands of ranges cost little memory.
#include "image/coverage.h"

#include <algorithm>

namespace {

// Indices of pairs: the command line holds fewer than 2^32 of them.
using Index = uint32_t;

// The indices of the pairs that hold an address, sorted by ordered.
template <typename Less>
std::vector<Index> sortedPairs(const std::vector<AddressPair>& pairs,
                               Less ordered) {
  std::vector<Index> order;
  for (size_t i = 0; i < pairs.size(); ++i)
    if (pairs[i].start <= pairs[i].end) order.push_back(static_cast<Index>(i));
  std::sort(order.begin(), order.end(), ordered);
  return order;
}

}  // namespace

std::vector<size_t> overlappingPairs(const std::vector<AddressPair>& pairs) {
  // Pair i overlaps an earlier one when the least index among the pairs
  // that start by its end and end at or past its start is below i.  The
  // pairs are taken by falling end, and the queries by falling start: by a
  // query's turn, every pair that ends at or past its start is in a tree,
  // at its place in start order, and the tree gives the least index of the
  // places that start by the query's end.
  const std::vector<Index> byStart = sortedPairs(
      pairs,
      [&pairs](Index a, Index b) { return pairs[a].start < pairs[b].start; });
  const std::vector<Index> byEnd = sortedPairs(
      pairs,
      [&pairs](Index a, Index b) { return pairs[a].end > pairs[b].end; });
  std::vector<Index> place(pairs.size());
  for (size_t k = 0; k < byStart.size(); ++k)
    place[byStart[k]] = static_cast<Index>(k);
  const auto none = static_cast<Index>(pairs.size());
  std::vector<Index> tree(byStart.size() + 1, none);  // Fenwick, of minima.
  std::vector<bool> overlaps(pairs.size(), false);
  size_t added = 0;
  for (auto query = byStart.rbegin(); query != byStart.rend(); ++query) {
    const Index i = *query;
    for (; added < byEnd.size() && pairs[byEnd[added]].end >= pairs[i].start;
         ++added)
      for (size_t k = place[byEnd[added]] + 1; k < tree.size(); k += k & -k)
        tree[k] = std::min(tree[k], byEnd[added]);
    // The places of the pairs that start by i's end.
    const size_t last = static_cast<size_t>(
        std::upper_bound(
            byStart.begin(), byStart.end(), pairs[i].end,
            [&pairs](uint32_t end, Index j) { return end < pairs[j].start; }) -
        byStart.begin());
    Index least = none;
    for (size_t k = last; k > 0; k -= k & -k) least = std::min(least, tree[k]);
    overlaps[i] = least < i;
  }
  std::vector<size_t> overlapping;
  for (size_t i = 0; i < pairs.size(); ++i)
    if (overlaps[i]) overlapping.push_back(i);
  return overlapping;
}

Coverage coverageOf(const std::vector<AddressPair>& pairs) {
  Coverage coverage;
  for (const AddressPair& pair : pairs)
    if (pair.start <= pair.end) coverage.push_back(pair);
  std::sort(coverage.begin(), coverage.end(),
            [](const AddressPair& a, const AddressPair& b) {
              return a.start < b.start;
            });
  // Ranges that share an address become one; ranges that only touch stay
  // apart.
  size_t kept = 0;
  for (size_t i = 0; i < coverage.size(); ++i) {
    if (kept != 0 && coverage[i].start <= coverage[kept - 1].end) {
      coverage[kept - 1].end =
          std::max(coverage[kept - 1].end, coverage[i].end);
    } else {
      coverage[kept++] = coverage[i];
    }
  }
  coverage.resize(kept);
  coverage.shrink_to_fit();
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
