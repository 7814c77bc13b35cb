// The fill sequence: what the GNU C library's srand(seed) and rand() give,
// computed in-process.
//
// glibc's rand() is an additive lagged-Fibonacci generator over 34 words,
// r[i] = r[i-31] + r[i-3] modulo 2^32, and returns r[i] >> 1.  Computing it
// here yields the same sequence without the lock glibc takes on every call,
// and makes images independent of the platform's C library.
#ifndef TOLLIVEX_IMAGE_FILL_H_
#define TOLLIVEX_IMAGE_FILL_H_

#include <cstddef>
#include <cstdint>

// The generator looks 31 and 3 words back.
constexpr size_t kFillLag = 34;
// Words made per refill: large enough that the refill loop runs long, and a
// multiple of 3 for its three chains.
constexpr size_t kFillBlock = size_t{3} * 1365;

struct FillGenerator {
  uint32_t words[kFillLag + kFillBlock];
  size_t next;  // The first word not yet handed out.
};

// Starts the sequence as srand(seed) does.
void seedFill(FillGenerator* fill, uint32_t seed);

// Writes the fill bytes of the next n values of the sequence to bytes: the
// bulk with the widest vectors this build and CPU have (AVX2, SSE2), the
// rest one at a time.
void fillBytes(FillGenerator* fill, uint8_t* bytes, size_t n);

// Passes over the next n values of the sequence.
void skipFill(FillGenerator* fill, uint64_t n);

// Maps a rand() value (0 to 2^31-1) to a fill byte in 0..254, never 0xFF.
inline uint8_t fillByte(uint32_t r) {
  return static_cast<uint8_t>((static_cast<uint64_t>(r) * 255u) >> 31);
}

#endif  // TOLLIVEX_IMAGE_FILL_H_
