// Motorola S-records: the S0 header, S1/S2/S3 data, the S5/S6 count and the
// S7/S8/S9 terminator.
#include "format/srecord.h"

namespace {

// Writes the record head "S<type><count><address>" with addressSize bytes
// of address, where count covers dataBytes more and the checksum; returns
// the next position and adds the bytes to *sum.
char* putHead(char* p, char type, unsigned addressSize, size_t dataBytes,
              uint32_t address, unsigned* sum) {
  *p++ = 'S';
  *p++ = type;
  auto count = static_cast<uint8_t>(addressSize + dataBytes + 1);
  p = putByte(p, count);
  *sum += count;
  for (int i = static_cast<int>(addressSize) - 1; i >= 0; --i) {
    auto byte = static_cast<uint8_t>(address >> (8 * i));
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

// Ends a record with its checksum and the line end.
char* putChecksum(char* p, unsigned sum, bool crlf) {
  p = putByte(p, static_cast<uint8_t>(~sum));
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

// A record of a type whose address field says all.
char* putAddressOnly(char* p, char type, unsigned addressSize, uint32_t address,
                     bool crlf) {
  unsigned sum = 0;
  p = putHead(p, type, addressSize, 0, address, &sum);
  return putChecksum(p, sum, crlf);
}

}  // namespace

std::string moduleHeader(const std::string& name) {
  static const char kModule[22] = {'D', 'u', 'm', 'm', 'y', 'S', 'R', 'E',
                                   'C', 0,   0,   0,   0,   0,   0,   0,
                                   0,   0,   0,   0,   1,   1};
  return std::string(kModule, sizeof kModule) + name.substr(0, 36);
}

char* formatSRecordHeader(char* p, const std::string& data, bool crlf) {
  unsigned sum = 0;
  p = putHead(p, '0', 2, data.size(), 0, &sum);
  p = putBytes(p, reinterpret_cast<const uint8_t*>(data.data()), data.size(),
               &sum);
  return putChecksum(p, sum, crlf);
}

char* formatSRecordCount(char* p, uint32_t records, bool crlf) {
  return records <= 0xFFFF ? putAddressOnly(p, '5', 2, records, crlf)
                           : putAddressOnly(p, '6', 3, records, crlf);
}

char* formatSRecordEnd(char* p, uint32_t entry, unsigned addressSize,
                       bool crlf) {
  return putAddressOnly(p, static_cast<char>('0' + 11 - addressSize),
                        addressSize, entry, crlf);
}
