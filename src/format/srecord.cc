// Motorola S-records: the S0 header, S1/S2/S3 data and the S9 terminator.
#include "format/srecord.h"

#include "format/hex_digits.h"

namespace {

// Writes the record head "S<type><count><address>" with addressBytes bytes
// of address; returns the next position and adds the bytes to *sum.
char* putHead(char* p, char type, unsigned count, uint32_t address,
              int addressBytes, unsigned* sum) {
  *p++ = 'S';
  *p++ = type;
  p = putByte(p, static_cast<uint8_t>(count));
  *sum += count;
  for (int i = addressBytes - 1; i >= 0; --i) {
    auto byte = static_cast<uint8_t>(address >> (8 * i));
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

// Ends a record with its checksum and a line feed.
char* putChecksum(char* p, unsigned sum) {
  p = putByte(p, static_cast<uint8_t>(~sum));
  *p++ = '\n';
  return p;
}

}  // namespace

char* formatSRecordHeader(char* p, const std::string& name) {
  static const uint8_t kModule[22] = {'D', 'u', 'm', 'm', 'y', 'S', 'R', 'E',
                                      'C', 0,   0,   0,   0,   0,   0,   0,
                                      0,   0,   0,   0,   1,   1};
  size_t n = name.size() < 36 ? name.size() : 36;
  unsigned sum = 0;
  p = putHead(p, '0', static_cast<unsigned>(sizeof kModule + n + 3), 0, 2,
              &sum);
  p = putBytes(p, kModule, sizeof kModule, &sum);
  p = putBytes(p, reinterpret_cast<const uint8_t*>(name.data()), n, &sum);
  return putChecksum(p, sum);
}

char* formatSRecordData(char* p, uint32_t address, const uint8_t* bytes,
                        unsigned count) {
  int addressBytes = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  unsigned sum = 0;
  p = putHead(p, static_cast<char>('0' + addressBytes - 1),
              count + addressBytes + 1, address, addressBytes, &sum);
  p = putBytes(p, bytes, count, &sum);
  return putChecksum(p, sum);
}

char* formatSRecordEnd(char* p) {
  unsigned sum = 0;
  p = putHead(p, '9', 3, 0, 2, &sum);
  return putChecksum(p, sum);
}
