// Check values a bootloader verifies: CRCs and byte sums over a region.
#include "image/check_value.h"

#include <cstring>
#include <string>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define TOLLIVEX_HAVE_CLMUL 1
#include <immintrin.h>
#endif

namespace {

// Adding a kind is one row: the messages, the help and the completion
// take the names from here.  The check values of "123456789" are in the
// tests.
const CheckKind kCheckKinds[] = {
    // name           width  sum    poly        init        refl.  xorOut
    {"crc32", 32, false, 0x04C11DB7, 0xFFFFFFFF, true, 0xFFFFFFFF},
    {"crc32-mpeg2", 32, false, 0x04C11DB7, 0xFFFFFFFF, false, 0},
    {"crc16-ccitt", 16, false, 0x1021, 0xFFFF, false, 0},
    {"crc16-xmodem", 16, false, 0x1021, 0, false, 0},
    {"crc16-modbus", 16, false, 0x8005, 0xFFFF, true, 0},
    {"sum8", 8, true, 0, 0, false, 0},
    {"sum16", 16, true, 0, 0, false, 0},
    {"sum32", 32, true, 0, 0, false, 0},
};

uint32_t reflect(uint32_t value, unsigned bits) {
  uint32_t out = 0;
  for (unsigned i = 0; i < bits; ++i)
    out |= ((value >> i) & 1) << (bits - 1 - i);
  return out;
}

// The register after one more byte.
inline uint32_t step(const CheckSum& check, uint32_t state, uint8_t byte) {
  const uint32_t* t = check.tables.data();
  return check.kind->reflected ? (state >> 8) ^ t[(state ^ byte) & 0xFF]
                               : (state << 8) ^ t[(state >> 24) ^ byte];
}

inline uint32_t load32(const uint8_t* p, bool littleEndian) {
  return littleEndian ? uint32_t{p[0]} | uint32_t{p[1]} << 8 |
                            uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24
                      : uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 |
                            uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

// An affine map of the register over GF(2): x -> columns * x + constant.
struct Affine {
  uint32_t columns[32];
  uint32_t constant;
};

uint32_t apply(const Affine& map, uint32_t x) {
  uint32_t y = map.constant;
  for (unsigned i = 0; i < 32; ++i)
    if ((x >> i) & 1) y ^= map.columns[i];
  return y;
}

// second after first.
Affine compose(const Affine& second, const Affine& first) {
  Affine out;
  for (unsigned i = 0; i < 32; ++i)
    out.columns[i] = apply(second, first.columns[i]) ^ second.constant;
  out.constant = apply(second, first.constant);
  return out;
}

#if defined(TOLLIVEX_HAVE_CLMUL)
// CRC-32 of the zlib polynomial over count bytes (a multiple of 16, at
// least 64), by folding 512 bits at a time with carry-less multiplies and
// a Barrett reduction at the end, as in Intel's paper "Fast CRC Computation
// for Generic Polynomials Using PCLMULQDQ".  The constants are powers of x
// modulo that polynomial, bit-reflected.  state is the register, not yet
// inverted.
__attribute__((target("pclmul,sse2"))) uint32_t crc32Fold(const uint8_t* p,
                                                          size_t count,
                                                          uint32_t state) {
  auto at = [p](size_t i) __attribute__((target("pclmul,sse2"))) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
  };
  auto fold = [](__m128i x, __m128i k, __m128i next)
      __attribute__((target("pclmul,sse2"))) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00),
                                       _mm_clmulepi64_si128(x, k, 0x11)),
                         next);
  };
  const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
  const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
  const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
  __m128i x1 = _mm_xor_si128(at(0), _mm_cvtsi32_si128(static_cast<int>(state)));
  __m128i x2 = at(16), x3 = at(32), x4 = at(48);
  size_t i = 64;
  for (; i + 64 <= count; i += 64) {
    x1 = fold(x1, k1k2, at(i));
    x2 = fold(x2, k1k2, at(i + 16));
    x3 = fold(x3, k1k2, at(i + 32));
    x4 = fold(x4, k1k2, at(i + 48));
  }
  x1 = fold(fold(fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
  for (; i + 16 <= count; i += 16) x1 = fold(x1, k3k4, at(i));
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

bool haveClmul() {
  static const bool have = __builtin_cpu_supports("pclmul");
  return have;
}
#endif

}  // namespace

const CheckKind* findCheckKind(const char* name, size_t length) {
  for (const CheckKind& kind : kCheckKinds)
    if (strlen(kind.name) == length && memcmp(kind.name, name, length) == 0)
      return &kind;
  return nullptr;
}

const std::string& checkKindNames() {
  static const std::string kNames = [] {
    std::string names;
    for (const CheckKind& kind : kCheckKinds)
      names += (names.empty() ? "" : ", ") + std::string(kind.name);
    return names;
  }();
  return kNames;
}

void startCheck(CheckSum* check, const CheckKind& kind) {
  check->kind = &kind;
  check->sum = 0;
  check->tables.clear();
  if (kind.sum) return;
  check->tables.resize(size_t{8} * 256);
  uint32_t* t = check->tables.data();
  const unsigned shift = 32 - kind.width;
  const uint32_t poly =
      kind.reflected ? reflect(kind.poly, kind.width) : kind.poly << shift;
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t c = kind.reflected ? b : b << 24;
    for (int i = 0; i < 8; ++i) {
      if (kind.reflected) {
        c = (c & 1) != 0 ? (c >> 1) ^ poly : c >> 1;
      } else {
        c = (c & 0x80000000u) != 0 ? (c << 1) ^ poly : c << 1;
      }
    }
    t[b] = c;
  }
  for (size_t k = 1; k < 8; ++k)
    for (size_t b = 0; b < 256; ++b)
      t[256 * k + b] = step(*check, t[256 * (k - 1) + b], 0);
  check->state = kind.reflected ? kind.init : kind.init << shift;
}

void updateCheck(CheckSum* check, const uint8_t* bytes, size_t count) {
  if (check->kind->sum) {
    uint64_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum += bytes[i];
    check->sum += sum;
    return;
  }
  // Eight bytes at a time: the register takes the first four, and each of
  // the eight tables says what one byte does that many bytes before the end.
  const uint32_t* t = check->tables.data();
  const bool reflected = check->kind->reflected;
  uint32_t s = check->state;
  size_t i = 0;
#if defined(TOLLIVEX_HAVE_CLMUL)
  // The zlib CRC-32, the one a long region is most often asked for, folds
  // a vector at a time where the CPU can.
  if (reflected && check->kind->width == 32 &&
      check->kind->poly == 0x04C11DB7 && count >= 64 && haveClmul()) {
    i = count & ~size_t{15};
    s = crc32Fold(bytes, i, s);
  }
#endif
  for (; i + 8 <= count; i += 8) {
    const uint32_t a = s ^ load32(bytes + i, reflected);
    const uint32_t b = load32(bytes + i + 4, reflected);
    if (reflected) {
      s = t[7 * 256 + (a & 0xFF)] ^ t[6 * 256 + (a >> 8 & 0xFF)] ^
          t[5 * 256 + (a >> 16 & 0xFF)] ^ t[4 * 256 + (a >> 24)] ^
          t[3 * 256 + (b & 0xFF)] ^ t[2 * 256 + (b >> 8 & 0xFF)] ^
          t[1 * 256 + (b >> 16 & 0xFF)] ^ t[b >> 24];
    } else {
      s = t[7 * 256 + (a >> 24)] ^ t[6 * 256 + (a >> 16 & 0xFF)] ^
          t[5 * 256 + (a >> 8 & 0xFF)] ^ t[4 * 256 + (a & 0xFF)] ^
          t[3 * 256 + (b >> 24)] ^ t[2 * 256 + (b >> 16 & 0xFF)] ^
          t[1 * 256 + (b >> 8 & 0xFF)] ^ t[b & 0xFF];
    }
  }
  for (; i < count; ++i) s = step(*check, s, bytes[i]);
  check->state = s;
}

void updateCheckRepeated(CheckSum* check, uint8_t byte, uint64_t count) {
  if (check->kind->sum) {
    check->sum += uint64_t{byte} * count;
    return;
  }
  // A byte is an affine map of the register; count of them, that map
  // raised to count by squaring.
  Affine power = {}, base;
  for (unsigned i = 0; i < 32; ++i) {
    power.columns[i] = uint32_t{1} << i;
    base.columns[i] = step(*check, uint32_t{1} << i, 0);
  }
  base.constant = step(*check, 0, byte);
  for (; count != 0; count >>= 1) {
    if ((count & 1) != 0) power = compose(base, power);
    base = compose(base, base);
  }
  check->state = apply(power, check->state);
}

uint32_t checkValue(const CheckSum& check) {
  const CheckKind& kind = *check.kind;
  const uint32_t mask =
      kind.width == 32 ? 0xFFFFFFFFu : (uint32_t{1} << kind.width) - 1;
  if (kind.sum) return static_cast<uint32_t>(check.sum) & mask;
  uint32_t value =
      kind.reflected ? check.state : check.state >> (32 - kind.width);
  return (value ^ kind.xorOut) & mask;
}
