// Intel HEX in its 32-bit form (I32HEX): data records (type 00) under
// extended linear address records (04), and the end-of-file record (01).
#ifndef TOLLIVEX_FORMAT_INTEL_HEX_H_
#define TOLLIVEX_FORMAT_INTEL_HEX_H_

#include <cstddef>
#include <cstdint>

// The most one data record takes: an extended linear address record, then
// the data record of 32 bytes.
constexpr size_t kMaxIntelHexText =
    (1 + 2 * (4 + 2 + 1) + 1) + (1 + 2 * (4 + 32 + 1) + 1);

// What *upperAddress holds before the first record.
constexpr uint32_t kNoUpperAddress = 0xFFFFFFFF;

// Formats the data record of count (1 to 32) bytes at address at p, after
// an extended linear address record when the upper 16 bits of the address
// differ from *upperAddress, which it then updates.  The record must not
// cross a multiple of 64 KiB.  Returns the end.
char* formatIntelHexData(char* p, uint32_t address, const uint8_t* bytes,
                         unsigned count, uint32_t* upperAddress);

// Formats the end-of-file record ":00000001FF"; returns the end.
char* formatIntelHexEnd(char* p);

#endif  // TOLLIVEX_FORMAT_INTEL_HEX_H_
