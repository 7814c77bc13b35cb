// The fill sequence: what the GNU C library's srand(seed) and rand() give,
// computed in-process.
#include "image/fill.h"

#include <algorithm>
#include <cstring>

// SSE2 wherever the compiler targets it; AVX2 chosen at run time on any
// x86 that has it.
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define TOLLIVEX_HAVE_AVX2 1
#include <immintrin.h>
#endif

namespace {

// Moves the last kFillLag words to the front and computes kFillBlock new
// ones after them.  Called once every word is handed out.
void refill(FillGenerator* fill) {
  uint32_t* words = fill->words;
  memmove(words, words + kFillBlock, kFillLag * sizeof words[0]);
  // Each word adds to the word 3 before it: three independent chains, kept
  // in registers so that no add waits on the store of the one before.
  uint32_t a = words[kFillLag - 3], b = words[kFillLag - 2],
           c = words[kFillLag - 1];
  for (size_t i = kFillLag; i < kFillLag + kFillBlock; i += 3) {
    words[i] = a += words[i - 31];
    words[i + 1] = b += words[i - 30];
    words[i + 2] = c += words[i - 29];
  }
  fill->next = kFillLag;
}

#if defined(__SSE2__)
// The fill bytes of four generator words w, in the low bytes of four 32-bit
// lanes.  fillByte(r) for r = w >> 1 is floor(r * 255 / 2^31): the top 8 of
// r's 31 bits, less one where the low 23 bits, times 256, fall short of r.
// Both sides of that comparison lie below 2^31, so a signed one serves.
inline __m128i fillBytes4(__m128i w) {
  __m128i r = _mm_srli_epi32(w, 1);
  __m128i low = _mm_and_si128(_mm_slli_epi32(w, 7), _mm_set1_epi32(0x7FFFFF00));
  return _mm_add_epi32(_mm_srli_epi32(w, 24), _mm_cmpgt_epi32(r, low));
}

// Sixteen words at a time, packed from 32-bit lanes to bytes; all are
// 0..254, so the saturating packs change nothing.  Returns how many words
// it converted.
size_t convertSse2(const uint32_t* words, uint8_t* bytes, size_t n) {
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const auto* w = reinterpret_cast<const __m128i*>(words + i);
    __m128i a = _mm_packs_epi32(fillBytes4(_mm_loadu_si128(w)),
                                fillBytes4(_mm_loadu_si128(w + 1)));
    __m128i b = _mm_packs_epi32(fillBytes4(_mm_loadu_si128(w + 2)),
                                fillBytes4(_mm_loadu_si128(w + 3)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i),
                     _mm_packus_epi16(a, b));
  }
  return i;
}
#endif

#if defined(TOLLIVEX_HAVE_AVX2)
#define TOLLIVEX_AVX2 __attribute__((target("avx2")))
// The same as fillBytes4, eight words at a time, on CPUs that have AVX2.
TOLLIVEX_AVX2 inline __m256i fillBytes8(__m256i w) {
  __m256i r = _mm256_srli_epi32(w, 1);
  __m256i low =
      _mm256_and_si256(_mm256_slli_epi32(w, 7), _mm256_set1_epi32(0x7FFFFF00));
  return _mm256_add_epi32(_mm256_srli_epi32(w, 24), _mm256_cmpgt_epi32(r, low));
}

// Thirty-two words at a time.  The packs work within 128-bit halves, so the
// four groups of four bytes in each half are put back in order at the end.
TOLLIVEX_AVX2 size_t convertAvx2(const uint32_t* words, uint8_t* bytes,
                                 size_t n) {
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const auto* w = reinterpret_cast<const __m256i*>(words + i);
    __m256i a = _mm256_packs_epi32(fillBytes8(_mm256_loadu_si256(w)),
                                   fillBytes8(_mm256_loadu_si256(w + 1)));
    __m256i b = _mm256_packs_epi32(fillBytes8(_mm256_loadu_si256(w + 2)),
                                   fillBytes8(_mm256_loadu_si256(w + 3)));
    _mm256_storeu_si256(
        reinterpret_cast<__m256i*>(bytes + i),
        _mm256_permutevar8x32_epi32(_mm256_packus_epi16(a, b), order));
  }
  return i;
}
#endif

// Writes the fill bytes of n generator words to bytes: whole vectors of
// the widest kind the CPU has, then of SSE2, then one at a time, so that
// every run of words goes through each kind there is.
void convert(const uint32_t* words, uint8_t* bytes, size_t n) {
  size_t i = 0;
#if defined(TOLLIVEX_HAVE_AVX2)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) i = convertAvx2(words, bytes, n);
#endif
#if defined(__SSE2__)
  i += convertSse2(words + i, bytes + i, n - i);
#endif
  for (; i < n; ++i) bytes[i] = fillByte(words[i] >> 1);
}

}  // namespace

void seedFill(FillGenerator* fill, uint32_t seed) {
  // glibc's srandom_r: 31 words from a Lehmer generator (Schrage's method,
  // in signed 32-bit words), then three copies, then 310 words thrown away.
  uint32_t r[344];
  auto word = static_cast<int32_t>(seed == 0 ? 1 : seed);
  r[0] = static_cast<uint32_t>(word);
  for (int i = 1; i < 31; ++i) {
    int64_t hi = word / 127773, lo = word % 127773;
    int64_t w = 16807 * lo - 2836 * hi;
    if (w < 0) w += 2147483647;
    word = static_cast<int32_t>(w);
    r[i] = static_cast<uint32_t>(word);
  }
  for (int i = 31; i < 34; ++i) r[i] = r[i - 31];
  for (int i = 34; i < 344; ++i) r[i] = r[i - 31] + r[i - 3];
  memcpy(fill->words + kFillBlock, r + 344 - kFillLag, kFillLag * sizeof r[0]);
  fill->next = kFillLag + kFillBlock;
}

void fillBytes(FillGenerator* fill, uint8_t* bytes, size_t n) {
  while (n > 0) {
    if (fill->next == kFillLag + kFillBlock) refill(fill);
    size_t take = kFillLag + kFillBlock - fill->next;
    if (take > n) take = n;
    convert(fill->words + fill->next, bytes, take);
    fill->next += take;
    bytes += take;
    n -= take;
  }
}

void skipFill(FillGenerator* fill, uint64_t n) {
  while (n > 0) {
    if (fill->next == kFillLag + kFillBlock) refill(fill);
    const uint64_t take =
        std::min<uint64_t>(n, kFillLag + kFillBlock - fill->next);
    fill->next += static_cast<size_t>(take);
    n -= take;
  }
}
