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

// Record digits may be written up to this many bytes past the end of the
// text: whole vectors are stored and the next digits written over them.
constexpr size_t kHexSlack = 32;

#if defined(__SSE2__)
// 16 nibbles as the hex digits '0'..'9' and 'A'..'F'.
inline __m128i hexDigits(__m128i n) {
  __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)),
                                  _mm_set1_epi8('A' - '0' - 10));
  return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
}

// Stores the 32 hex digits of the 16 bytes of v at p, high nibble first.
inline void putHex16(char* p, __m128i v) {
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), nibble);
  const __m128i lo = _mm_and_si128(v, nibble);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                   hexDigits(_mm_unpacklo_epi8(hi, lo)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16),
                   hexDigits(_mm_unpackhi_epi8(hi, lo)));
}

// The sum of the bytes of v, in its two 64-bit lanes.
inline __m128i byteSums(__m128i v) {
  return _mm_sad_epu8(v, _mm_setzero_si128());
}
#endif

// Appends bytes as hex digits, adding each to *sum.
inline char* putBytes(char* p, const uint8_t* bytes, size_t count,
                      unsigned* sum) {
  for (size_t k = 0; k < count; ++k) {
    uint8_t byte = bytes[k];  // Read once: the store to p may alias it.
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

// Appends the bytes of a record as hex digits: the headSize (at most 8)
// bytes of head, lowest first, then the count bytes of data; adds them all
// to *sum.  The bytes of head past headSize must be 0.  Reads up to 15
// bytes past the data and writes up to kHexSlack bytes past the digits.
inline char* putRecordBytes(char* p, uint64_t head, unsigned headSize,
                            const uint8_t* data, size_t count, unsigned* sum) {
#if defined(__SSE2__)
  const __m128i h = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&head));
  putHex16(p, h);
  __m128i sums = byteSums(h);
  p += size_t{2} * headSize;
  size_t k = 0;
  for (; k + 16 <= count; k += 16, p += 32) {
    const __m128i v =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + k));
    putHex16(p, v);
    sums = _mm_add_epi64(sums, byteSums(v));
  }
  if (k < count) {
    // The last bytes, a whole vector read; only theirs count.
    static const uint8_t kKeep[32] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF};
    const __m128i v =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + k));
    putHex16(p, v);
    const __m128i keep = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(kKeep + 16 - (count - k)));
    sums = _mm_add_epi64(sums, byteSums(_mm_and_si128(v, keep)));
    p += 2 * (count - k);
  }
  *sum += static_cast<unsigned>(_mm_cvtsi128_si32(sums) +
                                _mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  return p;
#else
  for (unsigned i = 0; i < headSize; ++i) {
    auto byte = static_cast<uint8_t>(head >> (8 * i));
    p = putByte(p, byte);
    *sum += byte;
  }
  return putBytes(p, data, count, sum);
#endif
}

#endif  // TOLLIVEX_FORMAT_HEX_DIGITS_H_
