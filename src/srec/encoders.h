// The encoders, one per format, each turning a record's address and data
// bytes into output.  The record stream picks one with a switch.
#ifndef TOLLIVEX_SREC_ENCODERS_H_
#define TOLLIVEX_SREC_ENCODERS_H_

#include <cstddef>
#include <cstdint>

struct ImageWriter;

// The longest S-record data line: "S3", count, 4 address bytes, 32 data
// bytes, checksum and line feed.
constexpr size_t kMaxSRecordLine = 2 + 2 * (1 + 4 + 32 + 1) + 1;

// Formats the S1/S2/S3 record of count (1 to 32) bytes at address at p and
// returns the end.
char* formatSRecord(char* p, uint32_t address, const uint8_t* bytes,
                    unsigned count);

// The most one data record takes in Intel HEX: an extended linear address
// record, then the data record of 32 bytes.
constexpr size_t kMaxIntelHexText =
    (1 + 2 * (4 + 2 + 1) + 1) + (1 + 2 * (4 + 32 + 1) + 1);

// What *upperAddress holds before the first record.
constexpr uint32_t kNoUpperAddress = 0xFFFFFFFF;

// Formats the Intel HEX data record of count (1 to 32) bytes at address at
// p, after an extended linear address record when the upper 16 bits of the
// address differ from *upperAddress, which it then updates.  Returns the
// end.
char* formatIntelHex(char* p, uint32_t address, const uint8_t* bytes,
                     unsigned count, uint32_t* upperAddress);

// Formats the end-of-file record ":00000001FF".
char* formatIntelHexEnd(char* p);

// Makes room in the output for the count (at most kOutputBufferSize) bytes
// at address of a binary image, after 0xFF over any gap since the highest
// byte so far, and returns where they go; null when a write failed.
uint8_t* placeBinary(ImageWriter* writer, uint32_t address, size_t count);

#endif  // TOLLIVEX_SREC_ENCODERS_H_
