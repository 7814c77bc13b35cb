// Encoding of the S0 header, S1/S2/S3 data and S9 terminator records.
//
// Each record is formatted into a small buffer with a digit table and handed
// to the stream in one call: a formatted print per byte costs several times
// more than drawing the random byte itself.
#include <cstdlib>
#include <cstring>

#include "srec/srec.h"

namespace {

// The longest line is the header: "S0", count, 2 address bytes, the 22-byte
// module field, 36 name bytes, checksum and LF.  A data record, at most
// 4 address and 32 data bytes, is shorter.
constexpr size_t kMaxLine = 2 + 2 * (1 + 2 + 22 + 36 + 1) + 1;

const char kHexDigits[] = "0123456789ABCDEF";

// Appends a byte as two upper-case hex digits and returns the next position.
inline char* putByte(char* p, uint8_t byte) {
  p[0] = kHexDigits[byte >> 4];
  p[1] = kHexDigits[byte & 0xF];
  return p + 2;
}

// Returns the byte a region pins at address, or the fill byte when the
// address lies outside it.  The unsigned difference is below the length
// exactly when start <= address < start + length, for every region that
// ends below 2^32, as all profile regions do.
inline uint8_t pinned(const FixedRegion& region, uint32_t address,
                      uint8_t byte) {
  uint32_t offset = address - region.start;
  return offset < region.length ? region.content[offset] : byte;
}

// Writes the record head "S<type><count><address>" with addressBytes bytes
// of address; returns the next position and adds the bytes to *sum.
char* putHead(char* p, char type, unsigned count, uint32_t address,
              int addressBytes, unsigned* sum) {
  *p++ = 'S';
  *p++ = type;
  p = putByte(p, static_cast<uint8_t>(count));
  *sum += count;
  for (int i = addressBytes - 1; i >= 0; --i) {
    uint8_t byte = static_cast<uint8_t>(address >> (8 * i));
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

// Ends the record with its checksum and a line feed, then writes it.
bool finish(FILE* out, char* line, char* p, unsigned sum) {
  p = putByte(p, static_cast<uint8_t>(~sum));
  *p++ = '\n';
  size_t size = static_cast<size_t>(p - line);
  return fwrite(line, 1, size, out) == size;
}

}  // namespace

bool writeHeaderRecord(FILE* out, const char* text) {
  static const uint8_t kModule[22] = {'D', 'u', 'm', 'm', 'y', 'S', 'R', 'E',
                                      'C', 0,   0,   0,   0,   0,   0,   0,
                                      0,   0,   0,   0,   1,   1};
  size_t n = strnlen(text, 36);
  char line[kMaxLine];
  unsigned sum = 0;
  char* p = putHead(line, '0', static_cast<unsigned>(n + 25), 0, 2, &sum);
  for (uint8_t byte : kModule) {
    p = putByte(p, byte);
    sum += byte;
  }
  for (size_t i = 0; i < n; ++i) {
    uint8_t byte = static_cast<uint8_t>(text[i]);
    p = putByte(p, byte);
    sum += byte;
  }
  return finish(out, line, p, sum);
}

bool writeRecord(FILE* out, uint32_t address, unsigned count) {
  int addressBytes = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  char line[kMaxLine];
  unsigned sum = 0;
  char* p = putHead(line, static_cast<char>('0' + addressBytes - 1),
                    count + addressBytes + 1, address, addressBytes, &sum);
  for (unsigned k = 0; k < count; ++k) {
    // One draw per byte even where a region replaces it, so the fill of
    // every later byte depends only on the seed and the byte's position.
    uint8_t byte = fillByte(rand());
    uint32_t at = address + k;
    byte = pinned(securityRegion, at, byte);
    byte = pinned(blankRegion, at, byte);  // The blank region wins.
    p = putByte(p, byte);
    sum += byte;
  }
  return finish(out, line, p, sum);
}

bool writeRecordIfNonEmpty(FILE* out, uint32_t address, unsigned count) {
  count &= 0xFF;
  return count == 0 || writeRecord(out, address, count);
}

bool writeTerminatorRecord(FILE* out, uint32_t address) {
  char line[kMaxLine];
  unsigned sum = 0;
  char* p = putHead(line, '9', 3, address & 0xFFFF, 2, &sum);
  return finish(out, line, p, sum);
}
