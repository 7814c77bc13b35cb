// -align: each range widened to whole flash words.
#include "image/align.h"

#include <algorithm>
#include <map>

#include "image/coverage.h"

namespace {

// The pieces of first..last that no interval of taken holds; taken is
// disjoint, keyed by start, each mapped to its end.
void addUntaken(const std::map<uint32_t, uint32_t>& taken, uint64_t first,
                uint64_t last, std::vector<AddressPair>* pieces) {
  auto at = taken.upper_bound(static_cast<uint32_t>(first));
  if (at != taken.begin()) --at;
  for (; first <= last && at != taken.end() && at->first <= last; ++at) {
    if (at->second < first) continue;
    if (at->first > first)
      pieces->push_back({static_cast<uint32_t>(first), at->first - 1});
    first = uint64_t{at->second} + 1;
  }
  if (first <= last)
    pieces->push_back(
        {static_cast<uint32_t>(first), static_cast<uint32_t>(last)});
}

}  // namespace

void padRanges(ImageSpec* image) {
  image->pads.clear();
  if (image->align <= 1) return;
  const uint64_t mask = image->align - 1;
  // What the pairs cover, and then what the padding has taken as well.
  std::map<uint32_t, uint32_t> taken;
  for (const AddressPair& covered : coverageOf(image->pairs))
    taken[covered.start] = covered.end;
  image->pads.resize(image->pairs.size());
  for (size_t i = 0; i < image->pairs.size(); ++i) {
    const AddressPair& pair = image->pairs[i];
    if (pair.start > pair.end) continue;
    std::vector<AddressPair>& pads = image->pads[i];
    const uint64_t low = pair.start & ~mask, high = pair.end | mask;
    if (low < pair.start) addUntaken(taken, low, pair.start - 1, &pads);
    if (high > pair.end) addUntaken(taken, uint64_t{pair.end} + 1, high, &pads);
    for (const AddressPair& pad : pads) taken[pad.start] = pad.end;
  }
}

std::vector<AddressPair> runsOf(const ImageSpec& image, size_t i) {
  const AddressPair& pair = image.pairs[i];
  if (pair.start > pair.end) return {};
  std::vector<AddressPair> pieces =
      image.pads.empty() ? std::vector<AddressPair>{} : image.pads[i];
  pieces.push_back(pair);
  std::sort(pieces.begin(), pieces.end(),
            [](const AddressPair& a, const AddressPair& b) {
              return a.start < b.start;
            });
  std::vector<AddressPair> runs = {pieces[0]};
  for (size_t k = 1; k < pieces.size(); ++k) {
    if (uint64_t{runs.back().end} + 1 == pieces[k].start)
      runs.back().end = pieces[k].end;
    else
      runs.push_back(pieces[k]);
  }
  return runs;
}
