// Where ranges are cut into records.
#include "image/record_cut.h"

#include <numeric>

#include "image/align.h"
#include "image/kept_out.h"

size_t cutRecords(uint64_t perRecord, unsigned unit, uint64_t first,
                  uint64_t last, RecordCut* cuts) {
  // Each record runs up to where the next must start, or to last.
  uint64_t byLength = (first / perRecord + 1) * perRecord;
  uint32_t offset = 0;
  size_t n = 0;
  for (uint64_t a = first; a <= last; ++n) {
    uint64_t next = (a | (kRecordSegment - 1)) + 1;
    if (byLength < next) next = byLength;
    if (next > last + 1) next = last + 1;
    if (next == byLength) byLength += perRecord;
    const auto size = static_cast<uint32_t>((next - a) * unit);
    cuts[n] = {static_cast<uint32_t>(a), offset, size};
    offset += size;
    a = next;
  }
  return n;
}

uint64_t recordCount(uint64_t perRecord, uint32_t start, uint32_t end) {
  if (start > end) return 0;
  // One record, and one more for each address in start + 1..end where a
  // record must start: a multiple of perRecord or of 0x10000, counting the
  // multiples of both once.
  auto startsIn = [start, end](uint64_t step) {
    return end / step - start / step;
  };
  const uint64_t both =
      perRecord / std::gcd(perRecord, kRecordSegment) * kRecordSegment;
  return 1 + startsIn(perRecord) + startsIn(kRecordSegment) - startsIn(both);
}

uint64_t imageRecords(const ImageSpec& image) {
  uint64_t records = 0;
  for (size_t i = 0; i < image.pairs.size(); ++i) {
    // A piece after a zone starts a record where the zone ends; every other
    // cut stays where it was.
    for (const AddressPair& run : runsOf(image, i))
      for (const AddressPair& piece : outsideZones(image, run.start, run.end))
        records +=
            recordCount(addressesPerRecord(image), piece.start, piece.end);
  }
  return records;
}
