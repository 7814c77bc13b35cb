// Motorola S-records: the S0 header, S1/S2/S3 data, the S5/S6 count and the
// S7/S8/S9 terminator, each formatted into memory as one line.
#ifndef TOLLIVEX_FORMAT_SRECORD_H_
#define TOLLIVEX_FORMAT_SRECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/hex_digits.h"

// The most any one of the functions below writes: "S", the type, the
// count, the 255 bytes it can count at most, CR LF, and the digits it may
// write past them.
constexpr size_t kMaxSRecordLine = 2 + 2 * (1 + 255) + 2 + kHexSlack;

// The most data bytes an S0 record holds.
constexpr size_t kMaxSRecordHeader = 252;

// The most data bytes an S1/S2/S3 record holds with a 4-byte address.
constexpr unsigned kMaxSRecordData = 250;

// The most data records an S6 count record can count.
constexpr uint32_t kMaxSRecordCount = 0xFFFFFF;

// The S0 data of an image without a header of its own: the module field
// "DummySREC" padded with zero bytes to 20 bytes, 01 01, then the first 36
// bytes of name.
std::string moduleHeader(const std::string& name);

// The size of the smallest address field (2, 3 or 4 bytes) that holds
// address, but at least smallest.
inline unsigned addressFieldSize(uint32_t address, unsigned smallest) {
  unsigned size = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  return size > smallest ? size : smallest;
}

// Each formats one record at p and returns its end; the line ends with CR
// LF when crlf is set, else with LF.

// The S0 record of address 0 that carries data (at most 252 bytes).
char* formatSRecordHeader(char* p, const std::string& data, bool crlf);

// The S1, S2 or S3 record, for an address field of 2, 3 or 4 bytes that
// holds address, of count (1 to 250) bytes at address; reads up to 15 bytes
// past them.  Inline: it runs once a record, and its call would cost as
// much as its head.
inline char* formatSRecordData(char* p, uint32_t address, unsigned addressSize,
                               const uint8_t* bytes, unsigned count,
                               bool crlf) {
  // The count, then the address bytes of the field, most significant
  // first.
  const uint64_t head =
      (addressSize + count + 1) |
      uint64_t{__builtin_bswap32(address) >> (32 - 8 * addressSize)} << 8;
  unsigned sum = 0;
  p[0] = 'S';
  p[1] = static_cast<char>('0' + addressSize - 1);
  p = putRecordBytes(p + 2, head, 1 + addressSize, bytes, count, &sum);
  p = putByte(p, static_cast<uint8_t>(~sum));
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

// The count of data records before it: S5 up to 0xFFFF, S6 up to 0xFFFFFF.
char* formatSRecordCount(char* p, uint32_t records, bool crlf);

// The terminator that carries the start address entry: S9, S8 or S7, for
// an address field of 2, 3 or 4 bytes.
char* formatSRecordEnd(char* p, uint32_t entry, unsigned addressSize,
                       bool crlf);

#endif  // TOLLIVEX_FORMAT_SRECORD_H_
