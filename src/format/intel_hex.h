// Intel HEX in its 32-bit form (I32HEX): data records (type 00) under
// extended linear address records (04), the start linear address (05) and
// the end-of-file record (01).
#ifndef TOLLIVEX_FORMAT_INTEL_HEX_H_
#define TOLLIVEX_FORMAT_INTEL_HEX_H_

#include <cstddef>
#include <cstdint>

#include "format/hex_digits.h"
#include "format/record.h"

// The most data bytes a record holds.
constexpr unsigned kMaxIntelHexData = 255;

struct IntelHexEncoder {
  const RecordShape* shape;
  // The upper 16 bits of address that the last extended linear address
  // record set; none before the first.
  bool based;
  uint32_t upperAddress;
};

void startIntelHex(IntelHexEncoder* encoder, const RecordShape& shape);

// The most text n records of bytes data bytes in all take, each after an
// extended linear address record.
inline size_t intelHexRoom(size_t n, size_t bytes) {
  return 2 * bytes + n * ((1 + 2 * (4 + 2 + 1) + 2) + (1 + 2 * (4 + 1) + 2)) +
         kHexSlack;
}

// The data records of cuts, from bytes, each after an extended linear
// address record when the upper 16 bits of its address differ from the
// last.  No record crosses a multiple of 64 KiB.  Reads up to 15 bytes past
// each record's data.
char* encodeIntelHex(IntelHexEncoder* encoder, char* p, const uint8_t* bytes,
                     const RecordCut* cuts, size_t n);

// The start linear address record when the shape gives a start address,
// then the end-of-file record ":00000001FF".
char* encodeIntelHexEnd(const IntelHexEncoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_INTEL_HEX_H_
