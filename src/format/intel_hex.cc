// Intel HEX in its 32-bit form (I32HEX).
#include "format/intel_hex.h"

namespace {

// One record of type, count (0 to 255) bytes of data, and the 16-bit
// address; reads up to 15 bytes past the data.
inline char* putRecord(char* p, uint8_t type, uint32_t address,
                       const uint8_t* data, unsigned count, bool crlf) {
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

}  // namespace

void startIntelHex(IntelHexEncoder* encoder, const RecordShape& shape) {
  *encoder = {&shape, false, 0};
}

char* encodeIntelHex(IntelHexEncoder* encoder, char* p, const uint8_t* bytes,
                     const RecordCut* cuts, size_t n) {
  const bool crlf = encoder->shape->crlf;
  bool based = encoder->based;
  uint32_t upperAddress = encoder->upperAddress;
  for (const RecordCut* cut = cuts; cut != cuts + n; ++cut) {
    const uint32_t upper = cut->address >> 16;
    if (!based || upper != upperAddress) {
      const uint8_t base[16] = {static_cast<uint8_t>(upper >> 8),
                                static_cast<uint8_t>(upper)};
      p = putRecord(p, 0x04, 0, base, 2, crlf);
      based = true;
      upperAddress = upper;
    }
    p = putRecord(p, 0x00, cut->address, bytes + cut->offset, cut->size, crlf);
  }
  encoder->based = based;
  encoder->upperAddress = upperAddress;
  return p;
}

char* encodeIntelHexEnd(const IntelHexEncoder& encoder, char* p) {
  const RecordShape& shape = *encoder.shape;
  if (shape.entryGiven) {
    const uint32_t entry = shape.entry;
    const uint8_t bytes[16] = {
        static_cast<uint8_t>(entry >> 24), static_cast<uint8_t>(entry >> 16),
        static_cast<uint8_t>(entry >> 8), static_cast<uint8_t>(entry)};
    p = putRecord(p, 0x05, 0, bytes, 4, shape.crlf);
  }
  static const uint8_t kNone[16] = {};
  return putRecord(p, 0x01, 0, kNone, 0, shape.crlf);
}
