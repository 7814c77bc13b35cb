// Where ranges are cut into records: a record holds at most perRecord
// addresses and never crosses a multiple of perRecord, nor a multiple of
// 0x10000, both counted in the image's addresses (words with -word).
#ifndef TOLLIVEX_IMAGE_RECORD_CUT_H_
#define TOLLIVEX_IMAGE_RECORD_CUT_H_

#include <cstddef>
#include <cstdint>

#include "format/record.h"
#include "image/image.h"

constexpr uint64_t kRecordSegment = 0x10000;

// Addresses per record: the record length in the image's unit.
inline uint64_t addressesPerRecord(const ImageSpec& image) {
  return image.shape.length / image.unit;
}

// The last address, no further than limit, where a record of a range that
// runs from first on ends, so that a piece of the range from first to it
// holds whole records; limit itself when no record ends on the way.
inline uint64_t lastRecordEnd(uint64_t perRecord, uint64_t first,
                              uint64_t limit) {
  uint64_t next = limit + 1;
  uint64_t byLength = next / perRecord * perRecord;
  uint64_t bySegment = next & ~(kRecordSegment - 1);
  uint64_t start = byLength > bySegment ? byLength : bySegment;
  return start > first ? start - 1 : limit;
}

// Cuts the addresses first..last, a piece of a range that starts where a
// record starts, into records of unit bytes per address, their bytes one
// after the other from offset 0; returns how many.
size_t cutRecords(uint64_t perRecord, unsigned unit, uint64_t first,
                  uint64_t last, RecordCut* cuts);

// The records the range start..end is cut into; 0 when start > end.
uint64_t recordCount(uint64_t perRecord, uint32_t start, uint32_t end);

// The data records of the whole image.
uint64_t imageRecords(const ImageSpec& image);

#endif  // TOLLIVEX_IMAGE_RECORD_CUT_H_
