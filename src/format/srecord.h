// Motorola S-records: the S0 header, S1/S2/S3 data, the S5/S6 count and the
// S7/S8/S9 terminator, each formatted into memory as one line.
#ifndef TOLLIVEX_FORMAT_SRECORD_H_
#define TOLLIVEX_FORMAT_SRECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/hex_digits.h"
#include "format/record.h"

// The most any one line takes: "S", the type, the count, the 255 bytes it
// can count at most, CR LF, and the digits it may write past them.
constexpr size_t kMaxSRecordLine = 2 + 2 * (1 + 255) + 2 + kHexSlack;

// The most data bytes an S0 record holds.
constexpr size_t kMaxSRecordHeader = 252;

// The most data bytes an S1/S2/S3 record holds with a 4-byte address.
constexpr unsigned kMaxSRecordData = 250;

// The most data records an S6 count record can count.
constexpr uint32_t kMaxSRecordCount = 0xFFFFFF;

struct SRecordEncoder {
  const RecordShape* shape;
  unsigned widestField;  // The widest address field of a data record so far.
  uint64_t records;      // Data records so far.
};

void startSRecords(SRecordEncoder* encoder, const RecordShape& shape);

// The S0 record: the shape's header when it has one, else the module field
// "DummySREC" padded with zero bytes to 20 bytes, 01 01, then the first 36
// bytes of name.
char* encodeSRecordStart(const SRecordEncoder& encoder, char* p,
                         const std::string& name);

// The most text n records of bytes data bytes in all take.
inline size_t sRecordRoom(size_t n, size_t bytes) {
  return 2 * bytes + n * (2 + 2 * (1 + 4 + 1) + 2) + kHexSlack;
}

// The data records of cuts, from bytes, each with the smallest address field
// that holds its address (but no smaller than the shape asks); reads up to
// 15 bytes past each record's data.
char* encodeSRecords(SRecordEncoder* encoder, char* p, const uint8_t* bytes,
                     const RecordCut* cuts, size_t n);

// The count record when the shape asks for one (S5 up to 0xFFFF records,
// S6 beyond), then the terminator: S9 with 0 without a start address; with
// one, S9, S8 or S7, as wide as the widest data record, the address and
// the shape ask.  At most two lines.
char* encodeSRecordEnd(const SRecordEncoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_SRECORD_H_
