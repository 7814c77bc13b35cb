// CRCs of any model of the catalogue, in one 32-bit register shifted right.
#include "image/crc.h"

#include <cstring>

#include "image/little_endian.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define TOLLIVEX_HAVE_CLMUL 1
#include <immintrin.h>
#endif

namespace {

uint64_t reflect(uint64_t value, unsigned bits) {
  uint64_t out = 0;
  for (unsigned i = 0; i < bits; ++i)
    out |= ((value >> i) & 1) << (bits - 1 - i);
  return out;
}

// Each byte of w with its bits reversed.
inline uint32_t reverseBitsInBytes(uint32_t w) {
  w = ((w >> 1) & 0x55555555u) | ((w & 0x55555555u) << 1);
  w = ((w >> 2) & 0x33333333u) | ((w & 0x33333333u) << 2);
  return ((w >> 4) & 0x0F0F0F0Fu) | ((w & 0x0F0F0F0Fu) << 4);
}

// A byte as it goes into the register.
inline uint8_t fedByte(const CrcEngine& engine, uint8_t byte) {
  return engine.model.refIn ? byte
                            : static_cast<uint8_t>(reverseBitsInBytes(byte));
}

// The register after one more byte, as it goes in.
inline uint32_t step(const CrcEngine& engine, uint32_t state, uint8_t byte) {
  return (state >> 8) ^ engine.tables[0][(state ^ byte) & 0xFF];
}

// x^n modulo g, a polynomial of degree 32.
uint64_t powerModulo(unsigned n, uint64_t g) {
  uint64_t r = 1;
  for (unsigned i = 0; i < n; ++i) {
    r <<= 1;
    if ((r >> 32) != 0) r ^= g;
  }
  return r;
}

// floor(x^64 / g), g of degree 32.  The first step takes x^64 away, and
// what is left fits 64 bits.
uint64_t quotient64(uint64_t g) {
  uint64_t q = uint64_t{1} << 32;
  uint64_t r = (g & 0xFFFFFFFFu) << 32;
  for (int i = 63; i >= 32; --i) {
    if (((r >> i) & 1) == 0) continue;
    q |= uint64_t{1} << (i - 32);
    r ^= g << (i - 32);
  }
  return q;
}

// The columns and constant of an affine map of the register.
using Affine = uint32_t[33];

uint32_t apply(const Affine map, uint32_t x) {
  uint32_t y = map[32];
  for (unsigned i = 0; i < 32; ++i)
    if ((x >> i) & 1) y ^= map[i];
  return y;
}

#if defined(TOLLIVEX_HAVE_CLMUL)
#define TOLLIVEX_CLMUL __attribute__((target("pclmul,ssse3,sse2")))

// x multiplied by the two halves of kk, carry-less, and added to next.
TOLLIVEX_CLMUL inline __m128i fold(__m128i x, __m128i kk, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, kk, 0x00),
                                     _mm_clmulepi64_si128(x, kk, 0x11)),
                       next);
}

// Folds count bytes (a multiple of 16, at least 64), loaded by at, into one
// vector: four at a time by far (four vectors apart), then into one by
// near (one apart); x1 is the first vector with the register in it.
template <typename Load>
TOLLIVEX_CLMUL inline __m128i foldAll(Load at, __m128i x1, size_t count,
                                      __m128i far, __m128i near) {
  __m128i x2 = at(16), x3 = at(32), x4 = at(48);
  size_t i = 64;
  for (; i + 64 <= count; i += 64) {
    x1 = fold(x1, far, at(i));
    x2 = fold(x2, far, at(i + 16));
    x3 = fold(x3, far, at(i + 32));
    x4 = fold(x4, far, at(i + 48));
  }
  x1 = fold(fold(fold(x1, near, x2), near, x3), near, x4);
  for (; i + 16 <= count; i += 16) x1 = fold(x1, near, at(i));
  return x1;
}

// The register over count bytes (a multiple of 16, at least 64), taken as
// they lie, least significant bit first, by folding
// 512 bits at a time with carry-less multiplies and a Barrett reduction at
// the end, as in Intel's paper "Fast CRC Computation for Generic
// Polynomials Using PCLMULQDQ"; k holds the engine's fold constants.
TOLLIVEX_CLMUL uint32_t foldCrc(const uint64_t* k, const uint8_t* p,
                                size_t count, uint32_t state) {
  auto at = [p](size_t i) TOLLIVEX_CLMUL {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
  };
  const auto s64 = [](uint64_t v) { return static_cast<long long>(v); };
  const __m128i k1k2 = _mm_set_epi64x(s64(k[1]), s64(k[0]));
  const __m128i k3k4 = _mm_set_epi64x(s64(k[3]), s64(k[2]));
  const __m128i k5 = _mm_set_epi64x(0, s64(k[4]));
  const __m128i poly = _mm_set_epi64x(s64(k[6]), s64(k[5]));
  const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
  __m128i x1 = foldAll(
      at, _mm_xor_si128(at(0), _mm_cvtsi32_si128(static_cast<int>(state))),
      count, k1k2, k3k4);
  // 128 bits to 64, then to 32, then the Barrett reduction.
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8),
                     _mm_clmulepi64_si128(x1, k3k4, 0x10));
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00),
                     _mm_srli_si128(x1, 4));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), poly, 0x00);
  return static_cast<uint32_t>(
      _mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(x1, t), 4)));
}

// The same for a CRC that takes its bytes most significant bit first, in a
// register shifted left, as Intel's paper does it: each 16 bytes go into
// the vector with the first byte highest (one shuffle, which also puts the
// bytes of a word in the order the words feed takes them), and the folds
// multiply by x^576, x^512 (four vectors apart) and x^192, x^128 (one
// apart), each modulo the polynomial.  The 128 bits left over are written
// to rest, first byte first, for the table path to take from a zero
// register: what they give is the register after all the bytes.
template <bool words>
TOLLIVEX_CLMUL void foldMsbFirst(const uint64_t* k, const uint8_t* p,
                                 size_t count, uint32_t reg, uint8_t* rest) {
  const __m128i reversed =
      _mm_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
  const __m128i order = words ? _mm_setr_epi8(12, 13, 14, 15, 8, 9, 10, 11, 4,
                                              5, 6, 7, 0, 1, 2, 3)
                              : reversed;
  auto at = [p, order](size_t i) TOLLIVEX_CLMUL {
    return _mm_shuffle_epi8(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), order);
  };
  const auto s64 = [](uint64_t v) { return static_cast<long long>(v); };
  const __m128i far = _mm_set_epi64x(s64(k[7]), s64(k[8]));
  const __m128i near = _mm_set_epi64x(s64(k[9]), s64(k[10]));
  const __m128i x1 = foldAll(
      at, _mm_xor_si128(at(0), _mm_set_epi32(static_cast<int>(reg), 0, 0, 0)),
      count, far, near);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(rest),
                   _mm_shuffle_epi8(x1, reversed));
}

bool haveClmul() {
  static const bool have =
      __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
  return have;
}
#endif

}  // namespace

void startCrcEngine(CrcEngine* engine, const CrcModel& model, CrcFeed feed) {
  engine->model = model;
  engine->feed = feed;
  engine->poly = static_cast<uint32_t>(reflect(model.poly, model.width));
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t c = b;
    for (int i = 0; i < 8; ++i)
      c = (c & 1) != 0 ? (c >> 1) ^ engine->poly : c >> 1;
    engine->tables[0][b] = c;
  }
  for (size_t k = 1; k < 8; ++k)
    for (size_t b = 0; b < 256; ++b)
      engine->tables[k][b] = step(*engine, engine->tables[k - 1][b], 0);
  // The 32-bit register's polynomial: the model's times x^(32 - width).
  const uint64_t g = uint64_t{1} << 32 | uint64_t{model.poly}
                                             << (32 - model.width);
  const unsigned powers[] = {4 * 128 + 32, 4 * 128 - 32, 128 + 32, 128 - 32,
                             64};
  for (size_t i = 0; i < 5; ++i)
    engine->fold[i] = reflect(powerModulo(powers[i], g), 32) << 1;
  engine->fold[5] = reflect(g, 33);
  engine->fold[6] = reflect(quotient64(g), 33);
  const unsigned msbPowers[] = {4 * 128 + 64, 4 * 128, 128 + 64, 128};
  for (size_t i = 0; i < 4; ++i)
    engine->fold[7 + i] = powerModulo(msbPowers[i], g);
  engine->powersFor = false;
}

uint32_t crcStart(const CrcEngine& engine) {
  return static_cast<uint32_t>(reflect(engine.model.init, engine.model.width));
}

namespace {

// The table path: eight bytes at a time, the register taking the first
// four, and each of the eight tables saying what one byte does that many
// bytes before the end.  With words set, the bytes go in as the words feed
// takes them (count is then whole words).
uint32_t tableUpdate(const CrcEngine& engine, uint32_t state,
                     const uint8_t* bytes, size_t count, bool words) {
  auto in = [&engine, words](uint32_t w) {
    if (words) w = __builtin_bswap32(w);
    return engine.model.refIn ? w : reverseBitsInBytes(w);
  };
  const uint32_t(*t)[256] = engine.tables;
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const uint32_t a = state ^ in(load32(bytes + i));
    const uint32_t b = in(load32(bytes + i + 4));
    state = t[7][a & 0xFF] ^ t[6][a >> 8 & 0xFF] ^ t[5][a >> 16 & 0xFF] ^
            t[4][a >> 24] ^ t[3][b & 0xFF] ^ t[2][b >> 8 & 0xFF] ^
            t[1][b >> 16 & 0xFF] ^ t[0][b >> 24];
  }
  for (; i + 4 <= count; i += 4) {
    const uint32_t w = in(load32(bytes + i));
    for (int k = 0; k < 4; ++k)
      state = step(engine, state, static_cast<uint8_t>(w >> (8 * k)));
  }
  for (; i < count; ++i) state = step(engine, state, fedByte(engine, bytes[i]));
  return state;
}

}  // namespace

uint32_t crcUpdate(const CrcEngine& engine, uint32_t state,
                   const uint8_t* bytes, size_t count) {
  const bool words = engine.feed == CrcFeed::kWords;
  size_t i = 0;
#if defined(TOLLIVEX_HAVE_CLMUL)
  // Every model fed by words takes its bytes most significant bit first (a
  // reflected one fed so would take the table path alone).
  if (count >= 64 && haveClmul() && !(words && engine.model.refIn)) {
    i = count & ~size_t{15};
    if (!engine.model.refIn) {
      // A register shifted left holds the mirror image of ours.
      uint8_t rest[16];
      const uint32_t reg = __builtin_bswap32(reverseBitsInBytes(state));
      if (words) {
        foldMsbFirst<true>(engine.fold, bytes, i, reg, rest);
      } else {
        foldMsbFirst<false>(engine.fold, bytes, i, reg, rest);
      }
      state = tableUpdate(engine, 0, rest, 16, false);
    } else {
      state = foldCrc(engine.fold, bytes, i, state);
    }
  }
#endif
  return tableUpdate(engine, state, bytes + i, count - i, words);
}

uint32_t crcRepeat(CrcEngine* engine, uint32_t state, uint8_t byte,
                   uint64_t count) {
  const uint8_t x = fedByte(*engine, byte);
  if (engine->feed == CrcFeed::kWords) count *= 4;
  if (count < 64) {
    for (; count > 0; --count) state = step(*engine, state, x);
    return state;
  }
  // A byte is an affine map of the register; 2^k of them, that map squared
  // k times, worked out once for the byte.
  if (!engine->powersFor || engine->repeated != x) {
    uint32_t(*p)[33] = engine->powers;
    for (unsigned i = 0; i < 32; ++i)
      p[0][i] = step(*engine, uint32_t{1} << i, 0);
    p[0][32] = step(*engine, 0, x);
    for (unsigned k = 1; k < 33; ++k) {
      for (unsigned i = 0; i < 32; ++i)
        p[k][i] = apply(p[k - 1], p[k - 1][i]) ^ p[k - 1][32];
      p[k][32] = apply(p[k - 1], p[k - 1][32]);
    }
    engine->powersFor = true;
    engine->repeated = x;
  }
  for (unsigned k = 0; count != 0; ++k, count >>= 1)
    if ((count & 1) != 0) state = apply(engine->powers[k], state);
  return state;
}

uint32_t crcValue(const CrcEngine& engine, uint32_t state) {
  const CrcModel& model = engine.model;
  const uint32_t mask =
      model.width == 32 ? 0xFFFFFFFFu : (uint32_t{1} << model.width) - 1;
  const uint32_t value =
      model.refOut ? state : static_cast<uint32_t>(reflect(state, model.width));
  return (value ^ model.xorOut) & mask;
}
