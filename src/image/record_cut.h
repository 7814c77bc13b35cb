// Where ranges are cut into records: a record holds at most perRecord
// addresses and never crosses a multiple of perRecord, nor a multiple of
// 0x10000, both counted in the image's addresses (words with -word).
#ifndef TOLLIVEX_IMAGE_RECORD_CUT_H_
#define TOLLIVEX_IMAGE_RECORD_CUT_H_

#include <cstddef>
#include <cstdint>

#include "format/intel_hex.h"
#include "format/srecord.h"
#include "image/image.h"

constexpr uint64_t kRecordSegment = 0x10000;

// The most data bytes a record of format holds: 250 in an S-record (with a
// 4-byte address), 255 in Intel HEX.
inline unsigned maxRecordLength(ImageFormat format) {
  return format == ImageFormat::kIntelHex ? kMaxIntelHexData : kMaxSRecordData;
}

// The most bytes a header of the image's own may hold, and the most data
// records a count record can count.
constexpr size_t kMaxHeaderBytes = kMaxSRecordHeader;
constexpr uint64_t kMaxCountedRecords = kMaxSRecordCount;

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

// The records the range start..end is cut into; 0 when start > end.
uint64_t recordCount(uint64_t perRecord, uint32_t start, uint32_t end);

// The data records of the whole image.
uint64_t imageRecords(const ImageSpec& image);

#endif  // TOLLIVEX_IMAGE_RECORD_CUT_H_
