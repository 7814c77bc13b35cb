// The seed of the fill: SOURCE_DATE_EPOCH when set, else the clock.
#include "cli/seed.h"

bool fillSeed(const char* sourceDateEpoch, time_t now, uint32_t* seed) {
  if (sourceDateEpoch == nullptr || *sourceDateEpoch == '\0') {
    *seed = static_cast<uint32_t>(now);
    return true;
  }
  const uint64_t kMax = 9223372036854775807u;
  uint64_t value = 0;
  for (const char* p = sourceDateEpoch; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return false;
    unsigned digit = static_cast<unsigned>(*p - '0');
    if (value > (kMax - digit) / 10) return false;
    value = value * 10 + digit;
  }
  *seed = static_cast<uint32_t>(value);
  return true;
}
