// The fill sequence: what the GNU C library's srand(seed) and rand() give,
// computed in-process.
#include "srec/fill.h"

#include <cstring>

namespace {

// Moves the last kFillLag words to the front and computes kFillBlock new
// ones after them; undrawn words stay just before the new ones.
void refill(FillGenerator* fill) {
  uint32_t* words = fill->words;
  size_t left = kFillLag + kFillBlock - fill->next;
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
  fill->next = kFillLag - left;
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

const uint32_t* drawFill(FillGenerator* fill, size_t n) {
  if (kFillLag + kFillBlock - fill->next < n) refill(fill);
  const uint32_t* drawn = fill->words + fill->next;
  fill->next += n;
  return drawn;
}
