// Intel HEX in its 32-bit form (I32HEX): data records (type 00) under
// extended linear address records (04), the start linear address (05) and
// the end-of-file record (01).
#ifndef TOLLIVEX_FORMAT_INTEL_HEX_H_
#define TOLLIVEX_FORMAT_INTEL_HEX_H_

#include <cstddef>
#include <cstdint>

#include "format/hex_digits.h"

// The most data bytes a record holds.
constexpr unsigned kMaxIntelHexData = 255;

// The most one data record takes: an extended linear address record, then
// the data record of 255 bytes, each ended by CR LF, and the digits it may
// write past them.
constexpr size_t kMaxIntelHexText = (1 + 2 * (4 + 2 + 1) + 2) +
                                    (1 + 2 * (4 + kMaxIntelHexData + 1) + 2) +
                                    kHexSlack;

// What *upperAddress holds before the first record.
constexpr uint32_t kNoUpperAddress = 0xFFFFFFFF;

// Each formats at p and returns the end; lines end with CR LF when crlf is
// set, else with LF.

// One record of type, count (0 to 255) bytes of data, and the 16-bit
// address; reads up to 15 bytes past the data.
inline char* formatIntelHexRecord(char* p, uint8_t type, uint32_t address,
                                  const uint8_t* data, unsigned count,
                                  bool crlf) {
  const uint64_t head = count | (address >> 8 & 0xFF) << 8 |
                        (address & 0xFF) << 16 | uint64_t{type} << 24;
  unsigned sum = 0;
  *p = ':';
  p = putRecordBytes(p + 1, head, 4, data, count, &sum);
  p = putByte(p, static_cast<uint8_t>(0 - sum));
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

// The data record of count (1 to 255) bytes at address, after an extended
// linear address record when the upper 16 bits of the address differ from
// *upperAddress, which it then updates.  The record must not cross a
// multiple of 64 KiB.
inline char* formatIntelHexData(char* p, uint32_t address, const uint8_t* bytes,
                                unsigned count, uint32_t* upperAddress,
                                bool crlf) {
  const uint32_t upper = address >> 16;
  if (upper != *upperAddress) {
    const uint8_t base[16] = {static_cast<uint8_t>(upper >> 8),
                              static_cast<uint8_t>(upper)};
    p = formatIntelHexRecord(p, 0x04, 0, base, 2, crlf);
    *upperAddress = upper;
  }
  return formatIntelHexRecord(p, 0x00, address, bytes, count, crlf);
}

// The start linear address record that carries entry.
char* formatIntelHexStart(char* p, uint32_t entry, bool crlf);

// The end-of-file record ":00000001FF".
char* formatIntelHexEnd(char* p, bool crlf);

#endif  // TOLLIVEX_FORMAT_INTEL_HEX_H_
