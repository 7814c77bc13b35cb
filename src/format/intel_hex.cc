// Intel HEX in its 32-bit form (I32HEX): the records that come once.
#include "format/intel_hex.h"

char* formatIntelHexStart(char* p, uint32_t entry, bool crlf) {
  const uint8_t bytes[16] = {
      static_cast<uint8_t>(entry >> 24), static_cast<uint8_t>(entry >> 16),
      static_cast<uint8_t>(entry >> 8), static_cast<uint8_t>(entry)};
  return formatIntelHexRecord(p, 0x05, 0, bytes, 4, crlf);
}

char* formatIntelHexEnd(char* p, bool crlf) {
  static const uint8_t kNone[16] = {};
  return formatIntelHexRecord(p, 0x01, 0, kNone, 0, crlf);
}
