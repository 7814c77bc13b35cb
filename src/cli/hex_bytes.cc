// Reading byte strings written as hex digits, as -fill and -pin take them.
#include "cli/hex_bytes.h"

#include <cstring>

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool parseHexBytes(const char* text, size_t maxBytes,
                   std::vector<uint8_t>* bytes) {
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
  size_t digits = strlen(text);
  if (digits == 0 || digits % 2 != 0 || digits > 2 * maxBytes) return false;
  std::vector<uint8_t> read;
  for (size_t i = 0; i < digits; i += 2) {
    int hi = hexDigit(text[i]), lo = hexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    read.push_back(static_cast<uint8_t>(hi << 4 | lo));
  }
  *bytes = read;
  return true;
}
