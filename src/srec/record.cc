// Encoding of the S0 header, S1/S2/S3 data and S9 terminator records.
//
// Records are formatted with a digit table straight into memory: a
// formatted print per byte would cost many times the fill itself.
#include <cstring>

#include "srec/fill.h"
#include "srec/record_text.h"
#include "srec/srec.h"

namespace {

// The longest line is the header: "S0", count, 2 address bytes, the 22-byte
// module field, 36 name bytes, checksum and LF.
constexpr size_t kMaxLine = 2 + 2 * (1 + 2 + 22 + 36 + 1) + 1;

// "000102...FEFF": the two upper-case hex digits of every byte value.
struct HexPairs {
  char text[512];
  constexpr HexPairs() : text() {
    const char digits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < 256; ++i) {
      text[2 * i] = digits[i >> 4];
      text[2 * i + 1] = digits[i & 0xF];
    }
  }
};
constexpr HexPairs kHexPairs;

// Appends a byte as two upper-case hex digits and returns the next position.
inline char* putByte(char* p, uint8_t byte) {
  memcpy(p, kHexPairs.text + size_t{2} * byte, 2);
  return p + 2;
}

// Whether a record of count bytes from address shares a byte with region,
// with addresses taken modulo 2^32 as pinned() takes them.
bool overlaps(const FixedRegion& region, uint32_t address, unsigned count) {
  return region.length != 0 && (address - region.start < region.length ||
                                region.start - address < count);
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

bool writeLine(FILE* out, const char* line, const char* end) {
  auto size = static_cast<size_t>(end - line);
  return fwrite(line, 1, size, out) == size;
}

}  // namespace

char* formatDataRecord(char* p, uint32_t address, unsigned count) {
  int addressBytes = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  unsigned sum = 0;
  p = putHead(p, static_cast<char>('0' + addressBytes - 1),
              count + addressBytes + 1, address, addressBytes, &sum);
  // One draw per byte even where a region replaces it, so the fill of every
  // later byte depends only on the seed and the byte's position.
  const uint32_t* words = drawFill(count);
  bool pins = overlaps(securityRegion, address, count) ||
              overlaps(blankRegion, address, count);
  for (unsigned k = 0; k < count; ++k) {
    uint8_t byte = fillByte(words[k] >> 1);
    if (pins) {
      byte = pinned(securityRegion, address + k, byte);
      byte = pinned(blankRegion, address + k, byte);  // The blank one wins.
    }
    p = putByte(p, byte);
    sum += byte;
  }
  return putChecksum(p, sum);
}

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
    auto byte = static_cast<uint8_t>(text[i]);
    p = putByte(p, byte);
    sum += byte;
  }
  return writeLine(out, line, putChecksum(p, sum));
}

bool writeRecord(FILE* out, uint32_t address, unsigned count) {
  char line[kMaxDataLine];
  const char* end = formatDataRecord(line, address, count);
  return writeLine(out, line, end);
}

bool writeRecordIfNonEmpty(FILE* out, uint32_t address, unsigned count) {
  count &= 0xFF;
  return count == 0 || writeRecord(out, address, count);
}

bool writeTerminatorRecord(FILE* out, uint32_t address) {
  char line[kMaxLine];
  unsigned sum = 0;
  char* p = putHead(line, '9', 3, address & 0xFFFF, 2, &sum);
  return writeLine(out, line, putChecksum(p, sum));
}
