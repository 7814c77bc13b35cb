// Motorola S-records: the S0 header, S1/S2/S3 data and the S9 terminator,
// each formatted into memory.
#ifndef TOLLIVEX_FORMAT_SRECORD_H_
#define TOLLIVEX_FORMAT_SRECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The most any one of the functions below writes: the header, with "S0",
// count, 2 address bytes, the 22-byte module field, 36 name bytes, checksum
// and line feed.
constexpr size_t kMaxSRecordLine = 2 + 2 * (1 + 2 + 22 + 36 + 1) + 1;

// Formats the S0 record that carries the module field "DummySREC", 01 01
// and the first 36 bytes of name at p; returns the end.
char* formatSRecordHeader(char* p, const std::string& name);

// Formats the S1, S2 or S3 record of count (1 to 32) bytes at address, by
// the smallest address field that holds it; returns the end.
char* formatSRecordData(char* p, uint32_t address, const uint8_t* bytes,
                        unsigned count);

// Formats the terminator "S9030000FC"; returns the end.
char* formatSRecordEnd(char* p);

#endif  // TOLLIVEX_FORMAT_SRECORD_H_
