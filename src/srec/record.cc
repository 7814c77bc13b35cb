// Encoding of the S0 header, S1/S2/S3 data and S9 terminator records.
#include "srec/encoders.h"
#include "srec/hex_text.h"
#include "srec/srec.h"

namespace {

// The longest line is the header: "S0", count, 2 address bytes, the 22-byte
// module field, 36 name bytes, checksum and LF.
constexpr size_t kMaxLine = 2 + 2 * (1 + 2 + 22 + 36 + 1) + 1;

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

char* formatSRecord(char* p, uint32_t address, const uint8_t* bytes,
                    unsigned count) {
  int addressBytes = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  unsigned sum = 0;
  p = putHead(p, static_cast<char>('0' + addressBytes - 1),
              count + addressBytes + 1, address, addressBytes, &sum);
  p = putBytes(p, bytes, count, &sum);
  return putChecksum(p, sum);
}

bool writeHeaderRecord(ImageWriter* writer, const std::string& text) {
  static const uint8_t kModule[22] = {'D', 'u', 'm', 'm', 'y', 'S', 'R', 'E',
                                      'C', 0,   0,   0,   0,   0,   0,   0,
                                      0,   0,   0,   0,   1,   1};
  size_t n = text.size() < 36 ? text.size() : 36;
  if (!reserveOutput(&writer->out, kMaxLine)) return false;
  unsigned sum = 0;
  char* p = putHead(outputEnd(&writer->out), '0', static_cast<unsigned>(n + 25),
                    0, 2, &sum);
  p = putBytes(p, kModule, sizeof kModule, &sum);
  p = putBytes(p, reinterpret_cast<const uint8_t*>(text.data()), n, &sum);
  commitOutput(&writer->out, putChecksum(p, sum));
  return true;
}

bool writeTerminatorRecord(ImageWriter* writer, uint32_t address) {
  if (!reserveOutput(&writer->out, kMaxLine)) return false;
  unsigned sum = 0;
  char* p = putHead(outputEnd(&writer->out), '9', 3, address & 0xFFFF, 2, &sum);
  commitOutput(&writer->out, putChecksum(p, sum));
  return true;
}
