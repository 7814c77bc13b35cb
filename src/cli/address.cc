// Reading address texts from the command line.
#include "cli/address.h"

namespace {

// The white space strtol skips in the C locale.
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;  // Above every base.
}

}  // namespace

bool parseAddress(const char* text, uint32_t* address) {
  const char* p = text;
  while (isSpace(*p)) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;  // The leading 0 is a digit too, so "0" alone reads as 0.
  }
  const char* digits = p;
  // Values beyond 2^32 are all out of range, so they stop growing there and
  // long texts cannot overflow.
  const uint64_t kBeyond = uint64_t{1} << 33;
  uint64_t value = 0;
  for (int d; (d = digitValue(*p)) < base; ++p) {
    value = value * base + d;
    if (value > kBeyond) value = kBeyond;
  }
  if (p == digits) return false;
  while (isSpace(*p)) ++p;
  if (*p != '\0') return false;
  if (value > (negative ? 0x80000000u : 0xFFFFFFFFu)) return false;
  *address = static_cast<uint32_t>(negative ? 0 - value : value);
  return true;
}
