// Formatting data records into memory, for the record writer and the range
// splitters.
#ifndef TOLLIVEX_SREC_RECORD_TEXT_H_
#define TOLLIVEX_SREC_RECORD_TEXT_H_

#include <cstddef>
#include <cstdint>

// The longest data record line: "S3", count, 4 address bytes, 32 data bytes,
// checksum and line feed.
constexpr size_t kMaxDataLine = 2 + 2 * (1 + 4 + 32 + 1) + 1;

// Formats the data record of count (1 to 32) bytes at address at p, drawing
// count fill words and pinning the fixed regions' bytes; returns the end.
char* formatDataRecord(char* p, uint32_t address, unsigned count);

#endif  // TOLLIVEX_SREC_RECORD_TEXT_H_
