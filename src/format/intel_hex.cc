// Intel HEX in its 32-bit form (I32HEX).
#include "format/intel_hex.h"

#include "format/hex_digits.h"

namespace {

// ":", the count, the 16-bit address, the type, the data, then the two's
// complement of the sum of all those bytes, and a line feed.
char* putIntelRecord(char* p, unsigned count, uint32_t address, uint8_t type,
                     const uint8_t* data) {
  const uint8_t head[4] = {static_cast<uint8_t>(count),
                           static_cast<uint8_t>(address >> 8),
                           static_cast<uint8_t>(address), type};
  unsigned sum = 0;
  *p++ = ':';
  p = putBytes(p, head, sizeof head, &sum);
  p = putBytes(p, data, count, &sum);
  p = putByte(p, static_cast<uint8_t>(0 - sum));
  *p++ = '\n';
  return p;
}

}  // namespace

char* formatIntelHexData(char* p, uint32_t address, const uint8_t* bytes,
                         unsigned count, uint32_t* upperAddress) {
  uint32_t upper = address >> 16;
  if (upper != *upperAddress) {
    const uint8_t base[2] = {static_cast<uint8_t>(upper >> 8),
                             static_cast<uint8_t>(upper)};
    p = putIntelRecord(p, 2, 0, 0x04, base);
    *upperAddress = upper;
  }
  return putIntelRecord(p, count, address & 0xFFFF, 0x00, bytes);
}

char* formatIntelHexEnd(char* p) {
  return putIntelRecord(p, 0, 0, 0x01, nullptr);
}
