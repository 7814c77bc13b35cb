// The encoders' formatting of one data record, for the record stream.
#ifndef TOLLIVEX_SREC_ENCODERS_H_
#define TOLLIVEX_SREC_ENCODERS_H_

#include <cstddef>
#include <cstdint>

// The longest S-record data line: "S3", count, 4 address bytes, 32 data
// bytes, checksum and line feed.
constexpr size_t kMaxSRecordLine = 2 + 2 * (1 + 4 + 32 + 1) + 1;

// Formats the S1/S2/S3 record of count (1 to 32) bytes at address at p and
// returns the end.
char* formatSRecord(char* p, uint32_t address, const uint8_t* bytes,
                    unsigned count);

#endif  // TOLLIVEX_SREC_ENCODERS_H_
