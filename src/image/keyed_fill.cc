// The keyed fill, eight bytes an output.
#include "image/keyed_fill.h"

void keyedBytes(uint64_t seed, uint64_t position, uint8_t* out, size_t n) {
  size_t k = 0;
  for (; k < n && (position + k) % 8 != 0; ++k)
    out[k] = keyedByte(seed, position + k);
  // Whole outputs, stored lowest byte first: one store each on a
  // little-endian machine.
  for (uint64_t word = (position + k) / 8; k + 8 <= n; k += 8, ++word) {
    const uint64_t v = splitMix64(seed, word);
    for (unsigned b = 0; b < 8; ++b)
      out[k + b] = static_cast<uint8_t>(v >> (8 * b));
  }
  for (; k < n; ++k) out[k] = keyedByte(seed, position + k);
}
