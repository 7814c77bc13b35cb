// Where ranges are cut into records.
#include "image/record_cut.h"

#include <numeric>

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
  for (const AddressPair& pair : image.pairs)
    records += recordCount(addressesPerRecord(image), pair.start, pair.end);
  return records;
}
