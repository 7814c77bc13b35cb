// The fill sequence: what the GNU C library's srand(seed) and rand() give,
// computed in-process.
#include "srec/fill.h"

#include <cstring>

namespace {

// The generator looks 31 and 3 words back; 34 words of history also hold
// any values drawn out of a block that a draw straddles (fewer than 32).
constexpr size_t kLag = 34;
// Words made per refill: large enough that the refill loop runs long, and a
// multiple of 3 for its three chains.
constexpr size_t kBlock = size_t{3} * 1365;

uint32_t words[kLag + kBlock];
size_t next = kLag + kBlock;  // The first word not yet handed out.
bool seeded = false;

// Moves the last kLag words to the front and computes kBlock new ones after
// them; undrawn words stay just before the new ones.
void refill() {
  size_t left = kLag + kBlock - next;
  memmove(words, words + kBlock, kLag * sizeof words[0]);
  // Each word adds to the word 3 before it: three independent chains, kept
  // in registers so that no add waits on the store of the one before.
  uint32_t a = words[kLag - 3], b = words[kLag - 2], c = words[kLag - 1];
  for (size_t i = kLag; i < kLag + kBlock; i += 3) {
    words[i] = a += words[i - 31];
    words[i + 1] = b += words[i - 30];
    words[i + 2] = c += words[i - 29];
  }
  next = kLag - left;
}

}  // namespace

void seedFill(uint32_t seed) {
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
  memcpy(words + kBlock, r + 344 - kLag, kLag * sizeof r[0]);
  next = kLag + kBlock;
  seeded = true;
}

const uint32_t* drawFill(size_t n) {
  if (!seeded) seedFill(1);
  if (kLag + kBlock - next < n) refill();
  const uint32_t* drawn = words + next;
  next += n;
  return drawn;
}
