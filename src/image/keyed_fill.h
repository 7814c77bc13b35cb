// The keyed fill: random bytes that depend only on the seed and on where a
// byte lies, so that images of one seed agree wherever both hold a byte,
// whatever their ranges, and any stretch can be made on its own.
//
// The byte at position A (the byte address; 2W + k for byte k of word W
// with -word) is byte A mod 8, lowest first, of the (A div 8)-th output of
// SplitMix64 started from the seed.
#ifndef TOLLIVEX_IMAGE_KEYED_FILL_H_
#define TOLLIVEX_IMAGE_KEYED_FILL_H_

#include <cstddef>
#include <cstdint>

// The k-th output (counting from 0) of SplitMix64 with state seed.
inline uint64_t splitMix64(uint64_t seed, uint64_t k) {
  uint64_t z = seed + (k + 1) * 0x9E3779B97F4A7C15u;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

// The keyed byte at position.
inline uint8_t keyedByte(uint64_t seed, uint64_t position) {
  return static_cast<uint8_t>(splitMix64(seed, position / 8) >>
                              (8 * (position % 8)));
}

// Writes the n keyed bytes from position on to out.
void keyedBytes(uint64_t seed, uint64_t position, uint8_t* out, size_t n);

#endif  // TOLLIVEX_IMAGE_KEYED_FILL_H_
