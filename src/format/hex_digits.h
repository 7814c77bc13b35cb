// Bytes as upper-case hex digits, for the text formats.
//
// Records are formatted with a digit table straight into memory: a
// formatted print per byte would cost many times the fill itself.
#ifndef TOLLIVEX_FORMAT_HEX_DIGITS_H_
#define TOLLIVEX_FORMAT_HEX_DIGITS_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// "000102...FEFF": the two upper-case hex digits of every byte value.
struct HexPairs {
  char text[512];
  constexpr HexPairs() : text() {
    const char digits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < 256; ++i) {
      text[2 * i] = digits[i >> 4];
      text[2 * i + 1] = digits[i & 0xF];
    }
  }
};
constexpr HexPairs kHexPairs;

// Appends a byte as two upper-case hex digits and returns the next position.
inline char* putByte(char* p, uint8_t byte) {
  memcpy(p, kHexPairs.text + size_t{2} * byte, 2);
  return p + 2;
}

#if defined(__SSE2__)
// Appends 16 nibbles as the hex digits '0'..'9' and 'A'..'F'.
inline char* putNibbles16(char* p, __m128i n) {
  __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)),
                                  _mm_set1_epi8('A' - '0' - 10));
  n = _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), n);
  return p + 16;
}

// Appends 16 bytes as hex digits and adds them to *sum, all at once.
inline char* putBytes16(char* p, const uint8_t* bytes, unsigned* sum) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), nibble);
  const __m128i lo = _mm_and_si128(v, nibble);
  p = putNibbles16(p, _mm_unpacklo_epi8(hi, lo));  // High nibble first.
  p = putNibbles16(p, _mm_unpackhi_epi8(hi, lo));
  // Two sums of eight bytes each.
  const __m128i sums = _mm_sad_epu8(v, _mm_setzero_si128());
  *sum += static_cast<unsigned>(_mm_cvtsi128_si32(sums) +
                                _mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  return p;
}
#endif

// Appends bytes as hex digits, adding each to *sum.
inline char* putBytes(char* p, const uint8_t* bytes, size_t count,
                      unsigned* sum) {
  size_t k = 0;
#if defined(__SSE2__)
  for (; k + 16 <= count; k += 16) p = putBytes16(p, bytes + k, sum);
#endif
  for (; k < count; ++k) {
    uint8_t byte = bytes[k];  // Read once: the store to p may alias it.
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

#endif  // TOLLIVEX_FORMAT_HEX_DIGITS_H_
