// Loading little-endian words from bytes as they lie in the image.
#ifndef TOLLIVEX_IMAGE_LITTLE_ENDIAN_H_
#define TOLLIVEX_IMAGE_LITTLE_ENDIAN_H_

#include <cstdint>

// The 32-bit word whose least significant byte is p[0].
inline uint32_t load32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
         uint32_t{p[3]} << 24;
}

#endif  // TOLLIVEX_IMAGE_LITTLE_ENDIAN_H_
