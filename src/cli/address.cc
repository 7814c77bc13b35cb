// Reading address texts from the command line.
#include "cli/address.h"

#include <cstdlib>

uint32_t parseAddress(const char* text) {
  // strtoll saturates far outside the accepted span, so clamping its result
  // also covers texts too long for 64 bits.
  long long value = strtoll(text, nullptr, 0);
  if (value > 0xFFFFFFFFLL) return 0xFFFFFFFFu;
  if (value < -0x80000000LL) return 0x80000000u;
  return static_cast<uint32_t>(value);  // Negatives wrap back from 2^32.
}
