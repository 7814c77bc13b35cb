// The fill sequence: what the GNU C library's srand(seed) and rand() give,
// computed in-process.
//
// glibc's rand() is an additive lagged-Fibonacci generator over 34 words,
// r[i] = r[i-31] + r[i-3] modulo 2^32, and returns r[i] >> 1.  Computing it
// here yields the same sequence without the lock glibc takes on every call,
// and makes images independent of the platform's C library.
#ifndef TOLLIVEX_SREC_FILL_H_
#define TOLLIVEX_SREC_FILL_H_

#include <cstddef>
#include <cstdint>

// The most values one drawFill call hands out.
constexpr size_t kMaxFillDraw = 32;

// Starts the sequence as srand(seed) does.  Before the first call the
// sequence is that of seed 1, as for rand() without srand().
void seedFill(uint32_t seed);

// The next n (1 to kMaxFillDraw) generator words, in order.  rand() would
// return each one shifted right by one bit.  Valid until the next call.
const uint32_t* drawFill(size_t n);

#endif  // TOLLIVEX_SREC_FILL_H_
