// A CRC of any catalogue model, worked out bit by bit: the tests' own
// computation, against which the tool's tables and folds are checked.
#ifndef TOLLIVEX_TESTS_BITWISE_CRC_H_
#define TOLLIVEX_TESTS_BITWISE_CRC_H_

#include <cstdint>
#include <string>

#include "image/crc.h"

inline uint32_t bitwiseCrc(const CrcModel& m, const std::string& bytes) {
  auto reflect = [](uint64_t v, unsigned bits) {
    uint64_t out = 0;
    for (unsigned i = 0; i < bits; ++i) out |= ((v >> i) & 1) << (bits - 1 - i);
    return out;
  };
  const uint64_t top = uint64_t{1} << (m.width - 1), mask = 2 * top - 1;
  uint64_t r = m.init;
  for (unsigned char c : bytes) {
    r ^= (m.refIn ? reflect(c, 8) : c) << (m.width - 8);
    for (int bit = 0; bit < 8; ++bit)
      r = ((r & top) != 0 ? (r << 1) ^ m.poly : r << 1) & mask;
  }
  return static_cast<uint32_t>((m.refOut ? reflect(r, m.width) : r) ^ m.xorOut);
}

#endif  // TOLLIVEX_TESTS_BITWISE_CRC_H_
